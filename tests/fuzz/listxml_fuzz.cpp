// The XML catalogue converter on any bytes, fed in pieces cut where the bytes themselves say,
// so that the fuzzer moves the cuts as it moves the bytes. Whatever the input, the list
// written reads back as one entry a game block, every value on its line and every name one
// MAME can be started with; and the cuts change nothing.

#include "catalogue/gamelistreader.h"
#include "mame/listxml.h"
#include "mame/mamewords.h"

#include <QBuffer>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Converts xml fed in pieces of the given lengths, taken in turn; 0 feeds it whole.
QByteArray convert(QByteArrayView xml, const QByteArrayView lengths, ListXmlConversion* result)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ListXmlConverter converter(out);
    qsizetype at = 0;
    for (qsizetype k = 0; at < xml.size(); ++k) {
        const qsizetype length =
            lengths.isEmpty() ? xml.size()
                              : 1 + (static_cast<unsigned char>(lengths[k % lengths.size()]) & 15);
        const QByteArrayView piece = xml.sliced(at, std::min(length, xml.size() - at));
        if (!converter.feed(piece))
            std::abort(); // a buffer takes every write, and no piece of a fuzz input is too long
        at += piece.size();
    }
    *result = converter.finish();
    return out.data();
}

bool holdsControl(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

// How many lines of text are line.
qsizetype linesOf(const QByteArray& text, const char* line)
{
    const QByteArray inText = QByteArray('\n' + text);
    return inText.count(QByteArray('\n' + QByteArray(line) + '\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char* data, std::size_t size)
{
    const QByteArrayView xml(data, static_cast<qsizetype>(size));
    ListXmlConversion whole;
    QByteArray list = convert(xml, {}, &whole);
    ListXmlConversion cut;
    if (convert(xml, xml, &cut) != list || cut.ok != whole.ok || cut.games != whole.games ||
        cut.resources != whole.resources || cut.error != whole.error)
        std::abort();
    if (whole.ok != whole.error.isEmpty())
        std::abort();
    if (linesOf(list, "game (") != whole.games || linesOf(list, "resource (") != whole.resources)
        std::abort();

    QBuffer file(&list);
    file.open(QIODevice::ReadOnly);
    std::vector<CatalogueEntry> entries;
    if (!ReadGameList(file, [&](CatalogueEntry&& e) { entries.push_back(std::move(e)); }))
        std::abort(); // reading memory never fails
    if (static_cast<qint64>(entries.size()) != whole.games)
        std::abort();
    for (const CatalogueEntry& e : entries) {
        if (!isUsableSetName(e.name))
            std::abort();
        for (const QString* parent : {&e.cloneof, &e.romof}) {
            if (*parent != absentValue() && !isUsableSetName(*parent))
                std::abort();
        }
        for (const QString* text :
             {&e.name, &e.description, &e.year, &e.cloneof, &e.romof, &e.manufacturer}) {
            if (holdsControl(*text))
                std::abort();
        }
    }
    return 0;
}
