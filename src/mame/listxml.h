#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <memory>

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

// Takes MAME's -listxml in chunks, as they come (from a pipe while MAME runs, or from a
// file), and writes the game list text to out as the machines complete: one "game (" block a
// runnable machine that is neither a device nor a BIOS, one "resource (" block a BIOS. Every
// game block has every key line the list reads, "?" where the XML has no value, so that
// nothing of a block carries over to the next; cloneof and romof only where present; one rom
// line that says what the game needs of the ROM folders (its first file of its own, else its
// first file merged from its parent, as "name X merge Y", else the first device it uses that
// has files, as a file of its own; none when it needs no file); the driver's status. The
// chunks may be cut anywhere, inside a tag or a text: the list written is the same byte for
// byte whatever the cuts.
//
// Whatever the XML holds, each machine stays one block of the list:
// - a control character in a value (below U+0020, and U+007F), raw or as a character
//   reference, is written as a blank, so that no value starts a line or a key of its own;
// - a machine whose name is not a usable set name (see launch/mamewords.h) is left out and
//   not counted, as are devices and machines that cannot run;
// - a cloneof or romof that is not a usable set name is left out: a bogus parent is none.
// The five entities of XML and character references are decoded; entities that the document
// declares for itself are left as written, never expanded, so the list grows no faster than
// the XML. The text is written as UTF-8.
//
// Time grows with the input, memory hardly: one chunk, one machine and the piece (tag or text)
// that runs across a cut are held at a time, and the list text from the first game that needs
// only its devices' files (the devices come last in the XML) to the end. A piece longer than 64 MiB
// is not MAME's output, and the conversion fails rather than hold it.
class ListXmlConverter
{
public:
    explicit ListXmlConverter(QIODevice& out);
    ~ListXmlConverter();
    ListXmlConverter(const ListXmlConverter&) = delete;
    ListXmlConverter& operator=(const ListXmlConverter&) = delete;

    // Converts the next bytes of the XML. False once the conversion has failed (writing to
    // out failed, or a piece was too long): further chunks would change nothing, so stop
    // feeding and ask finish() why.
    bool feed(QByteArrayView chunk);

    // Writes what is left, after the last chunk. Ok when the catalogue's own end was seen and
    // everything was written; an unfinished catalogue is no catalogue. Asked again, it gives
    // the same answer.
    ListXmlConversion finish();

private:
    class Scanner;
    std::unique_ptr<Scanner> m_scanner;
};

// Reads in to its end and converts it as above, in chunks of 1 MiB. A read error fails the
// conversion.
ListXmlConversion convertListXml(QIODevice& in, QIODevice& out);
