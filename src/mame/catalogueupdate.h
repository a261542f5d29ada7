#pragma once

#include "mame/listxml.h"
#include "mame/mame.h"
#include "mame/mamerun.h"
#include "platform/processes.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

class FileReplacement;

// A MAME's catalogue turned into the game list file: the command that makes MAME print it,
// what becomes of its output as it comes, and whether the list written can be used once MAME
// has ended.
class CatalogueUpdate
{
public:
    // list is the new game list file, to be committed by the caller when problem() is empty.
    CatalogueUpdate(const MameInfo& mame, FileReplacement& list);

    // MAME printing its catalogue, named by the program word the update uses.
    Command command() const;

    // The next piece of MAME's output: XML is turned into the list text as it comes (nothing
    // of a quarter gigabyte is kept); the classic catalogue is the list text itself. False when
    // it cannot be taken (the list cannot be written, or the XML cannot be read on).
    bool take(QByteArrayView output);

    // Why the list written cannot replace the old one, given how MAME's run ended, or an
    // empty text when it can: MAME ended by itself with exit code 0, every write succeeded,
    // and the catalogue holds at least one whole game and does not stop inside a block.
    QString problem(const EmulatorRunResult& run);

private:
    QString problemWithListInfo();

    const bool m_xml;
    FileReplacement& m_list;
    std::optional<ListXmlConverter> m_converter;
};
