#include "catalogue/gamelistreader.h"

#include "platform/textcodec.h"

#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr qint64 kChunkSize = qint64(1) << 20;

// Line recognition and block state for one read. Lines arrive without their line end; the
// key lines are recognised by their first five characters after spaces are trimmed, so a
// key line indented with spaces instead of a tab, or written in another letter case, is
// passed over. MAME writes the key words in ASCII, so five characters are five bytes;
// positions beyond them count characters, which in UTF-8 may span several bytes.
class BlockReader
{
public:
    BlockReader(TextEncoding encoding, const GameListSink& deliver, const BiosSink& deliverBios)
        : m_utf8(encoding == TextEncoding::Utf8)
        , m_encoding(encoding)
        , m_deliver(deliver)
        , m_deliverBios(deliverBios)
    {}

    void line(const char* b, const char* e)
    {
        while (b < e && *b == ' ')
            ++b;
        while (e > b && e[-1] == ' ')
            --e;
        const std::size_t n = static_cast<std::size_t>(e - b);
        if (n >= 5) {
            if (b[0] == '\t') {
                keyLine(b, e);
            } else if (std::memcmp(b, "game ", 5) == 0) {
                m_inGame = true;
                m_inBlock = true;
                m_ownFiles = m_parentFiles = false;
            } else if (std::memcmp(b, "resou", 5) == 0) {
                m_inGame = false;
                m_inBlock = true;
            }
        } else if (n == 1 && *b == ')') {
            const bool resource = m_inBlock && !m_inGame;
            m_inBlock = false;
            if (!m_inGame) {
                if (resource && m_deliverBios)
                    m_deliverBios(m_entry.name);
                return;
            }
            m_entry.imageKey = m_imageKey;
            m_entry.roms = m_ownFiles      ? RomNeeds::OwnFiles
                           : m_parentFiles ? RomNeeds::ParentFiles
                                           : RomNeeds::Nothing;
            m_deliver(std::move(m_entry));
            // The image key is not reset: a block without a driver line takes the one
            // before it.
            m_entry = CatalogueEntry{};
            m_inGame = false;
        }
    }

    // The last block that began has not been closed.
    bool inBlock() const { return m_inBlock; }

private:
    void keyLine(const char* b, const char* e)
    {
        const char* key = b + 1;
        if (std::memcmp(key, "name", 4) == 0) {
            m_entry.name = fromPosition(b, e, 6);
        } else if (std::memcmp(key, "desc", 4) == 0) {
            m_entry.description = withoutLastCharacter(b, e, 15);
        } else if (std::memcmp(key, "year", 4) == 0) {
            m_entry.year = fromPosition(b, e, 6);
        } else if (std::memcmp(key, "clon", 4) == 0) {
            m_entry.cloneof = fromPosition(b, e, 9);
        } else if (!m_ownFiles &&
                   (std::memcmp(key, "rom ", 4) == 0 || std::memcmp(key, "disk", 4) == 0)) {
            // One file of its own settles what a game needs: the rest of its files are not
            // looked at.
            const std::string_view rest(b, std::size_t(e - b));
            if (rest.find(" nodump") == std::string_view::npos)
                (rest.find(" merge ") == std::string_view::npos ? m_ownFiles : m_parentFiles) =
                    true;
        } else if (std::memcmp(key, "romo", 4) == 0) {
            m_entry.romof = fromPosition(b, e, 7);
        } else if (std::memcmp(key, "manu", 4) == 0) {
            m_entry.manufacturer = withoutLastCharacter(b, e, 16);
        } else if (std::memcmp(key, "driv", 4) == 0) {
            const auto [vb, ve] = rangeFrom(b, e, 17);
            m_imageKey = (ve - vb >= 4 && std::memcmp(vb, "good", 4) == 0) ? ImageKey::Rom
                                                                           : ImageKey::BadRom;
        }
    }

    // Steps over count characters from p: bytes in Windows-1252, code points in UTF-8
    // (the file has been checked to be valid UTF-8 then).
    const char* skipCharacters(const char* p, const char* e, int count) const
    {
        if (!m_utf8)
            return p + std::min<std::ptrdiff_t>(count, e - p);
        while (count > 0 && p < e) {
            ++p;
            while (p < e && (static_cast<unsigned char>(*p) & 0xC0) == 0x80)
                ++p;
            --count;
        }
        return p;
    }

    // The text of the line from character position (counting from 1, the tab being 1) to
    // its end, trimmed of spaces. The first five characters are known to be ASCII.
    std::pair<const char*, const char*> rangeFrom(const char* b, const char* e, int position) const
    {
        const char* p = skipCharacters(b + 5, e, position - 6);
        while (p < e && *p == ' ')
            ++p;
        return {p, e}; // the line's end is already trimmed
    }

    QString fromPosition(const char* b, const char* e, int position) const
    {
        const auto [vb, ve] = rangeFrom(b, e, position);
        return decode(vb, ve);
    }

    // Quoted values: the text from position on, without its last character (the closing
    // quote). Nothing there gives an empty text.
    QString withoutLastCharacter(const char* b, const char* e, int position) const
    {
        auto [vb, ve] = rangeFrom(b, e, position);
        if (vb == ve)
            return QString();
        --ve;
        if (m_utf8) {
            while (ve > vb && (static_cast<unsigned char>(*ve) & 0xC0) == 0x80)
                --ve;
        }
        return decode(vb, ve);
    }

    QString decode(const char* vb, const char* ve) const
    {
        if (vb == ve)
            return QString();
        if (ve - vb == 1 && *vb == '?')
            return absentValue(); // shared, so that the many "?" cost no memory
        return decodeText(QByteArrayView(vb, ve - vb), m_encoding);
    }

    const bool m_utf8;
    const TextEncoding m_encoding;
    const GameListSink& m_deliver;
    CatalogueEntry m_entry;
    ImageKey m_imageKey = ImageKey::BadRom;
    const BiosSink& m_deliverBios;
    bool m_inGame = false;
    bool m_inBlock = false;
    bool m_ownFiles = false;    // the game block has a file of its own
    bool m_parentFiles = false; // ... or one merged from its parent's set
};

// Splits a stream of chunks into lines. A carriage return, a line feed and the pair of
// them all end a line; since an empty line means nothing to the reader, a CR LF pair may be
// taken as two line ends. The part of a line that runs past a chunk is carried into the
// next one, so a line longer than a chunk costs its own length, never more.
class LineSplitter
{
public:
    explicit LineSplitter(BlockReader& reader)
        : m_reader(reader)
    {}

    void feed(const char* p, const char* end)
    {
        // The next CR and the next LF are searched once each and remembered, so a file
        // that uses only one of them is not rescanned line after line.
        const char* nextCr = nullptr;
        const char* nextLf = nullptr;
        auto findEol = [&](const char* from) {
            if (nextCr < from)
                nextCr = find(from, end, '\r');
            if (nextLf < from)
                nextLf = find(from, end, '\n');
            return std::min(nextCr, nextLf);
        };

        const char* eol = findEol(p);
        if (!m_carry.empty()) {
            m_carry.append(p, eol);
            if (eol == end)
                return;
            m_reader.line(m_carry.data(), m_carry.data() + m_carry.size());
            m_carry.clear();
            p = eol + 1;
            eol = findEol(p);
        }
        while (eol != end) {
            m_reader.line(p, eol);
            p = eol + 1;
            eol = findEol(p);
        }
        m_carry.assign(p, end);
    }

    // The last line may lack a line end.
    void finish()
    {
        if (!m_carry.empty())
            m_reader.line(m_carry.data(), m_carry.data() + m_carry.size());
        m_carry.clear();
    }

private:
    static const char* find(const char* from, const char* end, char c)
    {
        const void* hit = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    }

    BlockReader& m_reader;
    std::string m_carry;
};

// Reads the device to its end in chunks, handing each to consume until it returns false;
// false on a read error.
template <typename Consume>
bool readChunks(QIODevice& device, std::vector<char>& buffer, Consume consume)
{
    for (;;) {
        const qint64 got = device.read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (got < 0)
            return false;
        if (got == 0 || !consume(buffer.data(), buffer.data() + got))
            return true;
    }
}

bool parse(const char* begin, const char* end, TextEncoding encoding, const GameListSink& deliver,
           bool* endsInsideBlock, const BiosSink& deliverBios)
{
    BlockReader reader(encoding, deliver, deliverBios);
    LineSplitter lines(reader);
    lines.feed(begin, end);
    lines.finish();
    if (endsInsideBlock)
        *endsInsideBlock = reader.inBlock();
    return true;
}

} // namespace

bool ReadGameList(QIODevice& device, const GameListSink& deliver, bool* endsInsideBlock,
                  const BiosSink& deliverBios)
{
    // A pipe cannot be read twice: take it whole, then check and parse the bytes in memory.
    if (device.isSequential()) {
        const QByteArray all = device.readAll();
        const TextEncoding encoding = detectEncoding(all);
        return parse(all.constData(), all.constData() + all.size(), encoding, deliver,
                     endsInsideBlock, deliverBios);
    }

    // The encoding is a property of the whole file, so one pass checks it and a second
    // parses; both read the file in chunks and keep no more than a chunk and a line.
    std::vector<char> buffer(static_cast<std::size_t>(kChunkSize));
    const qint64 start = device.pos();
    Utf8Validator validator;
    if (!readChunks(device, buffer, [&](const char* b, const char* e) {
            validator.feed(b, static_cast<std::size_t>(e - b));
            return validator.valid(); // one bad sequence decides it
        }))
        return false;
    const TextEncoding encoding =
        validator.finish() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    if (!device.seek(start))
        return false;

    BlockReader reader(encoding, deliver, deliverBios);
    LineSplitter lines(reader);
    const bool ok = readChunks(device, buffer, [&](const char* b, const char* e) {
        lines.feed(b, e);
        return true;
    });
    lines.finish();
    if (endsInsideBlock)
        *endsInsideBlock = reader.inBlock();
    return ok;
}

bool ReadGameList(const QString& path, const GameListSink& deliver)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ReadGameList(file, deliver);
}
