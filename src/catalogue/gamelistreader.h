#pragma once

#include "catalogue/catalogueentry.h"

#include <QString>

#include <functional>

class QIODevice;

// Receives each completed game block, in file order, before the next line is read. The
// entry may be moved from.
using GameListSink = std::function<void(CatalogueEntry&&)>;
// Receives the name of each resource block (a BIOS set), in file order.
using BiosSink = std::function<void(const QString&)>;

// Reads a game list file (the catalogue in MAME's classic text form, or a hack list in the same
// form) in one pass and hands each completed game block to deliver. Only the key lines the list
// needs are looked at; anything else, binary bytes included, is passed over. Time and memory grow
// with the file's size: one line is held at a time, and no entry is kept.
// The device must be open for reading. Returns false when reading failed midway; what was
// delivered until then stands. *endsInsideBlock, when given, tells whether the text ends
// inside a block (a game or resource block begun and never closed): a catalogue cut short.
// A game's rom and disk lines say what it needs (RomNeeds): a line holding " merge " is a file
// of its parent's set, one holding " nodump" needs no file.
bool ReadGameList(QIODevice& device, const GameListSink& deliver, bool* endsInsideBlock = nullptr,
                  const BiosSink& deliverBios = {});

// Opens path and reads it as above; false when the file cannot be opened or read.
bool ReadGameList(const QString& path, const GameListSink& deliver);
