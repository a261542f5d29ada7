#pragma once

#include <QString>

// The two dialects of MAME that Korvane speaks. The classic MAME (0.36 and before) takes the
// switches and prints the catalogue Korvane was made for; today's MAME (0.37 onwards, in
// practice the 0.2xx that Linux distributions ship) has switches of its own, prints its
// catalogue as XML and verifies many sets in one run.
enum class MameDialect
{
    Classic,
    Today,
};

// What is known of the program that a program word names, and what its dialect can do. The
// rest of the program asks these questions rather than the dialect itself, so that a third
// dialect is one more answer to each.
struct MameInfo
{
    MameDialect dialect = MameDialect::Classic;
    QString program; // the program's absolute path; empty when the word finds none
    QString version; // today's MAME's version ("0.251"); empty for the classic MAME
    QString rompath; // today's MAME's own ROM path, from its configuration
    // Where today's MAME writes its snapshots, from its configuration.
    QString snapshotDirectory = {};
    bool asked = false;    // this identification asked the program; it did not come from the store
    bool notAsked = false; // nothing is known yet: the program was not to be asked

    bool isToday() const { return dialect == MameDialect::Today; }
    // Its catalogue is XML, to be turned into the game list text; else it is that text.
    bool printsXmlCatalogue() const { return isToday(); }
    // One run verifies many sets, each judged by its own line; else one run a set, judged by
    // the first line of the answer.
    bool verifiesManySets() const { return isToday(); }
    // It is told where the recordings are (INP) and given the file's own name; else it keeps
    // them in its INP itself and is given the name alone.
    bool needsRecordingDirectory() const { return isToday(); }
    // A home hack's ROM directory goes before its own ROM path, in one; else it has a switch
    // of its own for the hack's directory.
    bool takesOneRomPath() const { return isToday(); }
};

// Which MAME, in words for the status bar and the About dialog: "MAME 0.251 at
// /usr/games/mame", "the classic MAME at /opt/mame/MAME", or that none was found.
QString describeMame(const MameInfo& info, const QString& word);
