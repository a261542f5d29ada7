#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

// Today's MAME prints its catalogue as XML ("-listxml"), not as the "-listinfo" text the
// game list file holds. This turns the one into the other, so that the rest of the program
// reads the same file whichever MAME wrote it.

struct ListXmlConversion
{
    bool ok = false;
    qint64 games = 0;     // "game (" blocks written: runnable machines, neither device nor BIOS
    qint64 resources = 0; // "resource (" blocks written: BIOS sets
    QString error;        // when not ok: why
};

// Reads MAME's -listxml from in and writes the game list text to out: one "game (" block a
// runnable machine that is neither a device nor a BIOS, one "resource (" block a BIOS. Every
// game block has every key line the list reads, "?" where the XML has no value, so that
// nothing of a block carries over to the next; cloneof and romof only where present; the
// driver's status. Entities are decoded; the text is written as UTF-8. Devices and machines
// that cannot run are left out. Time grows with the input, memory does not: one chunk and
// one machine are held at a time.
ListXmlConversion convertListXml(QIODevice& in, QIODevice& out);
