// The game list reader on any bytes, from a pipe and from a file that hand them over a few
// at a time, both giving the same entries.

#include "catalogue/gamelistreader.h"

#include <QIODevice>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Gives at most `piece` bytes a read, so lines and UTF-8 sequences straddle the chunks;
// sequential like a pipe, or seekable like a file.
class Trickle : public QIODevice
{
public:
    Trickle(const QByteArray& bytes, qint64 piece, bool sequential)
        : m_bytes(bytes)
        , m_piece(piece)
        , m_sequential(sequential)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return m_sequential; }
    qint64 size() const override { return m_sequential ? 0 : m_bytes.size(); }

protected:
    qint64 readData(char* data, qint64 max) override
    {
        const qint64 at = m_sequential ? m_at : pos();
        const qint64 n = std::min({max, m_piece, m_bytes.size() - at});
        std::memcpy(data, m_bytes.constData() + at, static_cast<std::size_t>(n));
        m_at = at + n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const QByteArray m_bytes;
    const qint64 m_piece;
    const bool m_sequential;
    qint64 m_at = 0;
};

std::vector<CatalogueEntry> read(QIODevice& device)
{
    std::vector<CatalogueEntry> entries;
    if (!ReadGameList(device, [&](CatalogueEntry&& e) { entries.push_back(std::move(e)); }))
        std::abort(); // reading memory never fails
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char* data, std::size_t size)
{
    const QByteArray bytes(data, static_cast<qsizetype>(size));
    const qint64 piece = size == 0 ? 1 : 1 + static_cast<unsigned char>(data[0]);
    Trickle pipe(bytes, piece, true); // read whole, then parsed in memory
    const std::vector<CatalogueEntry> entries = read(pipe);

    // One entry per ")" line at most. Lines are split at CR and LF, so no text holds one,
    // and the texts that run to the line's end are trimmed of spaces. A quoted value loses
    // a whole character, never part of one, so no replacement character appears that the
    // bytes did not hold.
    if (entries.size() > static_cast<std::size_t>(bytes.count(')')))
        std::abort();
    const bool replacementInBytes = bytes.contains("\xEF\xBF\xBD");
    for (const CatalogueEntry& e : entries) {
        for (const QString* text : {&e.name, &e.year, &e.cloneof, &e.romof}) {
            if (text->startsWith(u' ') || text->endsWith(u' '))
                std::abort();
        }
        for (const QString* text :
             {&e.name, &e.description, &e.year, &e.cloneof, &e.romof, &e.manufacturer}) {
            if (text->contains(u'\r') || text->contains(u'\n') ||
                (!replacementInBytes && text->contains(QChar::ReplacementCharacter)))
                std::abort();
        }
    }

    // A file is checked and parsed chunk by chunk, which must change nothing.
    Trickle file(bytes, piece, false);
    if (read(file) != entries)
        std::abort();
    return 0;
}
