// listxml.cpp: MAME's XML catalogue to the game list text, in one streaming pass.
//
// Speed matters: a catalogue of today runs to a quarter of a gigabyte. The scan jumps from
// '<' to '<' with memchr and looks at a tag only as far as its first letters; of the
// millions of tags (ROMs, chips, DIP switches) only six kinds are read at all. Nothing is
// built per tag: the values of one machine are kept in reused strings. The chunks are
// scanned where they lie; only the one piece that runs across a cut is copied, so that it
// can be completed from the next chunk.

#include "mame/listxml.h"

#include "mame/mamewords.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

constexpr std::size_t kChunk = std::size_t(1) << 20;
// No tag or text of the catalogue comes near this; a longer one is not MAME's output.
constexpr std::size_t kLongestPiece = std::size_t(64) << 20;
constexpr std::size_t npos = std::string_view::npos;

// What may not stand in a value of the list, whose lines and keys are split at such bytes:
// the C0 controls, DEL and the C1 controls.
bool isControl(unsigned code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The tag's name is exactly name: it ends there, at a blank, a '/' or the tag's end.
bool isTag(std::string_view tag, std::string_view name)
{
    if (!startsWith(tag, name))
        return false;
    if (tag.size() == name.size())
        return true;
    const char next = tag[name.size()];
    return next == ' ' || next == '\t' || next == '\n' || next == '\r' || next == '/';
}

void appendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Appends text with its entities decoded. An entity the XML standard does not define (one
// the document declares for itself included), or a character reference to no character,
// stays as it is written. Control characters become blanks: a value is one line of the game
// list, and one word or quoted text of that line.
void appendDecoded(std::string& out, std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t amp = text.find('&', i);
        const std::size_t plainEnd = amp == npos ? text.size() : amp;
        const std::size_t from = out.size();
        out.append(text.data() + i, plainEnd - i);
        for (std::size_t k = from; k < out.size(); ++k) {
            const auto byte = static_cast<unsigned char>(out[k]);
            if (byte < 0x80 && isControl(byte)) {
                out[k] = ' ';
            } else if (byte == 0xC2 && k + 1 < out.size() &&
                       isControl(static_cast<unsigned char>(out[k + 1]))) {
                // A C1 control in UTF-8: two bytes, two blanks.
                out[k] = ' ';
                out[++k] = ' ';
            }
        }
        if (amp == npos)
            return;
        const std::size_t semi = text.find(';', amp);
        const std::string_view name = semi == npos || semi - amp > 10
                                          ? std::string_view()
                                          : text.substr(amp + 1, semi - amp - 1);
        bool decoded = true;
        if (name == "amp") {
            out += '&';
        } else if (name == "lt") {
            out += '<';
        } else if (name == "gt") {
            out += '>';
        } else if (name == "quot") {
            out += '"';
        } else if (name == "apos") {
            out += '\'';
        } else if (name.size() >= 2 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            unsigned code = 0;
            bool digits = name.size() > (hex ? 2u : 1u);
            for (std::size_t k = hex ? 2 : 1; k < name.size() && digits; ++k) {
                const char c = name[k];
                int value = -1;
                if (c >= '0' && c <= '9')
                    value = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    value = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    value = c - 'A' + 10;
                digits = value >= 0 && code < 0x110000;
                code = code * (hex ? 16u : 10u) + static_cast<unsigned>(std::max(value, 0));
            }
            decoded = digits && code > 0 && code < 0x110000 && (code < 0xD800 || code > 0xDFFF);
            if (decoded)
                appendUtf8(out, isControl(code) ? unsigned(' ') : code);
        } else {
            decoded = false;
        }
        if (!decoded) {
            out += '&';
            i = amp + 1;
        } else {
            i = semi + 1;
        }
    }
}

// The value of attribute name in the attributes of a start tag, raw (entities not yet
// decoded); empty when absent.
std::string_view attribute(std::string_view attributes, std::string_view name)
{
    std::size_t i = 0;
    while (i < attributes.size()) {
        while (i < attributes.size() &&
               (attributes[i] == ' ' || attributes[i] == '\t' || attributes[i] == '\n' ||
                attributes[i] == '\r' || attributes[i] == '/'))
            ++i;
        const std::size_t eq = attributes.find('=', i);
        if (eq == npos || eq + 1 >= attributes.size())
            return {};
        const char quote = attributes[eq + 1];
        if (quote != '"' && quote != '\'')
            return {};
        const std::size_t close = attributes.find(quote, eq + 2);
        if (close == npos)
            return {};
        std::string_view key = attributes.substr(i, eq - i);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t'))
            key.remove_suffix(1);
        if (key == name)
            return attributes.substr(eq + 2, close - eq - 2);
        i = close + 1;
    }
    return {};
}

} // namespace

class ListXmlConverter::Scanner
{
public:
    explicit Scanner(QIODevice& out)
        : m_out(out)
    {
        m_text.reserve(kChunk + 4096);
    }

    bool feed(std::string_view chunk);
    ListXmlConversion finish();

private:
    enum class Failure
    {
        None,
        Write,
        TooLong,
    };

    // Converts the complete pieces of data, a tag or a tag with its text, and returns where
    // the first unfinished one begins (size when none is).
    std::size_t scan(const char* data, std::size_t size);
    // Completes the carried piece from the start of chunk and converts it; returns where in
    // chunk the scan goes on, or npos when the chunk ends first.
    std::size_t completeCarry(std::string_view chunk);
    bool carry(std::string_view bytes);

    // The tags whose text runs to the next '<' and is read.
    bool wantsText(std::string_view tag) const
    {
        return m_inMachine && (tag == "description" || tag == "year" || tag == "manufacturer");
    }
    void convert(std::string_view tag, std::string_view text);
    void startMachine(std::string_view attributes);
    void romOrDisk(std::string_view attributes);
    void endMachine();
    void writeRomLine(std::string_view name, std::string_view merge);
    bool flush();
    bool writeHeld();

    QIODevice& m_out;
    Failure m_failure = Failure::None;
    bool m_closed = false; // the catalogue's own end was seen

    // The unfinished piece at the end of the last chunk, from its '<'; where its tag ends
    // once it has ended (then the piece lacks only the end of its text).
    std::string m_carry;
    std::size_t m_carryTagEnd = npos;

    // The machine being read.
    bool m_inMachine = false;
    bool m_skip = false;
    bool m_bios = false;
    bool m_device = false;
    std::string m_name, m_description, m_year, m_manufacturer, m_cloneof, m_romof, m_status;
    // What the machine needs of the ROM folders: its first file of its own, else its first
    // file merged from its parent (with the parent's name for it), else the devices it uses,
    // whose files count as its own.
    std::string m_ownFile, m_mergedFile, m_mergedAs;
    std::vector<std::string> m_deviceRefs;

    // Games that need nothing but what their devices may need. The devices come after the
    // games in MAME's catalogue, so the text from the first such game on is held until the
    // end, and each one's rom line is put in where it belongs then.
    struct Pending
    {
        std::size_t at; // in m_text, where the rom line goes
        std::vector<std::string> devices;
    };
    std::vector<Pending> m_pending;
    std::unordered_set<std::string> m_devicesWithFiles;

    std::string m_text; // output not yet written
    qint64 m_games = 0;
    qint64 m_resources = 0;
};

bool ListXmlConverter::Scanner::feed(std::string_view chunk)
{
    if (m_failure != Failure::None)
        return false;
    if (chunk.empty())
        return true;
    std::size_t at = 0;
    if (!m_carry.empty()) {
        at = completeCarry(chunk);
        if (at == npos)
            return m_failure == Failure::None;
    }
    const std::size_t rest = at + scan(chunk.data() + at, chunk.size() - at);
    if (rest < chunk.size() && carry(chunk.substr(rest)))
        m_carryTagEnd = m_carry.find('>');
    return m_failure == Failure::None;
}

std::size_t ListXmlConverter::Scanner::scan(const char* data, std::size_t size)
{
    std::size_t at = 0;
    while (m_failure == Failure::None) {
        const void* lt = std::memchr(data + at, '<', size - at);
        if (!lt)
            return size;
        const std::size_t begin = std::size_t(static_cast<const char*>(lt) - data);
        const void* gt = std::memchr(data + begin, '>', size - begin);
        if (!gt)
            return begin;
        const std::size_t tagEnd = std::size_t(static_cast<const char*>(gt) - data);
        const std::string_view tag(data + begin + 1, tagEnd - begin - 1);
        std::size_t next = tagEnd + 1;
        std::string_view text;
        if (wantsText(tag)) {
            const void* close = std::memchr(data + next, '<', size - next);
            if (!close)
                return begin;
            const std::size_t textEnd = std::size_t(static_cast<const char*>(close) - data);
            text = std::string_view(data + next, textEnd - next);
            next = textEnd;
        }
        // Held whole or carried in part, the same piece fails the same way.
        if (next - begin > kLongestPiece) {
            m_failure = Failure::TooLong;
            break;
        }
        convert(tag, text);
        at = next;
    }
    return size;
}

std::size_t ListXmlConverter::Scanner::completeCarry(std::string_view chunk)
{
    std::size_t at = 0;
    if (m_carryTagEnd == npos) {
        const std::size_t gt = chunk.find('>');
        if (!carry(chunk.substr(0, gt == npos ? npos : gt + 1)) || gt == npos)
            return npos;
        m_carryTagEnd = m_carry.size() - 1;
        at = gt + 1;
        const std::string_view tag = std::string_view(m_carry).substr(1, m_carryTagEnd - 1);
        if (!wantsText(tag)) {
            convert(tag, {});
            m_carry.clear();
            m_carryTagEnd = npos;
            return at;
        }
    }
    const std::size_t lt = chunk.find('<', at);
    if (!carry(chunk.substr(at, lt == npos ? npos : lt - at)) || lt == npos)
        return npos;
    const std::string_view piece(m_carry);
    convert(piece.substr(1, m_carryTagEnd - 1), piece.substr(m_carryTagEnd + 1));
    m_carry.clear();
    m_carryTagEnd = npos;
    return lt;
}

bool ListXmlConverter::Scanner::carry(std::string_view bytes)
{
    if (m_carry.size() + bytes.size() > kLongestPiece) {
        m_failure = Failure::TooLong;
        return false;
    }
    m_carry.append(bytes);
    return true;
}

void ListXmlConverter::Scanner::convert(std::string_view tag, std::string_view text)
{
    if (tag.empty() || tag[0] == '!' || tag[0] == '?') {
        // Declarations and the DTD's own markup.
    } else if (tag[0] == '/') {
        if (tag == "/machine" && m_inMachine)
            endMachine();
        else if (tag == "/mame")
            m_closed = true;
    } else if (isTag(tag, "machine")) {
        startMachine(tag.substr(7));
    } else if (!m_inMachine) {
    } else if (isTag(tag, "driver")) {
        m_status.clear();
        appendDecoded(m_status, attribute(tag.substr(6), "status"));
    } else if (wantsText(tag)) {
        std::string& target = tag[0] == 'd'   ? m_description
                              : tag[0] == 'y' ? m_year
                                              : m_manufacturer;
        target.clear();
        appendDecoded(target, text);
    } else if (!m_ownFile.empty()) {
        // Past its first file of its own, nothing more of a machine's files matters.
    } else if (isTag(tag, "rom")) {
        romOrDisk(tag.substr(3));
    } else if (isTag(tag, "disk")) {
        romOrDisk(tag.substr(4));
    } else if (isTag(tag, "device_ref") && m_mergedFile.empty()) {
        appendDecoded(m_deviceRefs.emplace_back(), attribute(tag.substr(10), "name"));
    }
}

void ListXmlConverter::Scanner::romOrDisk(std::string_view attributes)
{
    // A file that was never dumped is looked for by no one.
    if (attribute(attributes, "status") == "nodump")
        return;
    const std::string_view name = attribute(attributes, "name");
    const std::string_view merge = attribute(attributes, "merge");
    if (merge.empty()) {
        m_ownFile.clear();
        appendDecoded(m_ownFile, name.empty() ? std::string_view("?") : name);
    } else if (m_mergedFile.empty()) {
        appendDecoded(m_mergedFile, name.empty() ? std::string_view("?") : name);
        appendDecoded(m_mergedAs, merge);
    }
}

void ListXmlConverter::Scanner::startMachine(std::string_view attributes)
{
    m_inMachine = true;
    m_name.clear();
    appendDecoded(m_name, attribute(attributes, "name"));
    m_cloneof.clear();
    appendDecoded(m_cloneof, attribute(attributes, "cloneof"));
    m_romof.clear();
    appendDecoded(m_romof, attribute(attributes, "romof"));
    m_bios = attribute(attributes, "isbios") == "yes";
    m_skip =
        attribute(attributes, "isdevice") == "yes" || attribute(attributes, "runnable") == "no";
    m_device = attribute(attributes, "isdevice") == "yes";
    m_description.clear();
    m_year.clear();
    m_manufacturer.clear();
    m_status.clear();
    m_ownFile.clear();
    m_mergedFile.clear();
    m_mergedAs.clear();
    m_deviceRefs.clear();
}

void ListXmlConverter::Scanner::endMachine()
{
    m_inMachine = false;
    if (m_device && !m_ownFile.empty())
        m_devicesWithFiles.insert(m_name);
    // The name is the word MAME is started with, so a name that is no set name is no game.
    if (m_skip || !isUsableSetName(m_name))
        return;
    m_text += m_bios ? "resource (\n\tname " : "game (\n\tname ";
    m_text += m_name;
    m_text += "\n\tdescription \"";
    m_text += m_description;
    m_text += "\"\n\tyear ";
    m_text += m_year.empty() ? "?" : m_year;
    m_text += "\n\tmanufacturer \"";
    m_text += m_manufacturer.empty() ? "?" : m_manufacturer;
    m_text += "\"\n";
    if (isUsableSetName(m_cloneof))
        m_text.append("\tcloneof ").append(m_cloneof).append("\n");
    if (isUsableSetName(m_romof))
        m_text.append("\tromof ").append(m_romof).append("\n");
    if (m_bios) {
        ++m_resources;
    } else {
        // One rom line says what the game needs, where a classic catalogue lists every file.
        if (!m_ownFile.empty())
            writeRomLine(m_ownFile, {});
        else if (!m_mergedFile.empty())
            writeRomLine(m_mergedFile, m_mergedAs);
        else if (!m_deviceRefs.empty())
            m_pending.push_back({m_text.size(), std::move(m_deviceRefs)});
        // The list reads "good" and anything else; a machine without a driver is no good.
        m_text += "\tdriver ( status ";
        m_text += m_status.empty() ? "preliminary" : m_status;
        m_text += " )\n";
        ++m_games;
    }
    m_text += ")\n\n";
    if (m_pending.empty() && m_text.size() >= kChunk && !flush())
        m_failure = Failure::Write;
}

void ListXmlConverter::Scanner::writeRomLine(std::string_view name, std::string_view merge)
{
    // The names are one word each on the line: a blank in one (which no file of MAME's has)
    // would let it pass for a key.
    const auto word = [this](std::string_view text) {
        const std::size_t from = m_text.size();
        m_text.append(text);
        std::replace(m_text.begin() + std::ptrdiff_t(from), m_text.end(), ' ', '_');
    };
    m_text += "\trom ( name ";
    word(name);
    if (!merge.empty()) {
        m_text += " merge ";
        word(merge);
    }
    m_text += " )\n";
}

bool ListXmlConverter::Scanner::writeHeld()
{
    // Each game held for its devices needs the files of the first that has any.
    std::string held;
    held.swap(m_text);
    std::size_t from = 0;
    for (const Pending& game : m_pending) {
        m_text.append(held, from, game.at - from);
        from = game.at;
        const auto device =
            std::find_if(game.devices.begin(), game.devices.end(), [this](const std::string& name) {
                return m_devicesWithFiles.count(name) != 0;
            });
        if (device != game.devices.end())
            writeRomLine(*device, {});
        if (m_text.size() >= kChunk && !flush())
            return false;
    }
    m_pending.clear();
    m_text.append(held, from);
    return flush();
}

bool ListXmlConverter::Scanner::flush()
{
    if (m_text.empty())
        return true;
    const qint64 written = m_out.write(m_text.data(), qint64(m_text.size()));
    m_text.clear();
    return written >= 0;
}

ListXmlConversion ListXmlConverter::Scanner::finish()
{
    ListXmlConversion result;
    result.games = m_games;
    result.resources = m_resources;
    if (m_failure == Failure::None && !writeHeld())
        m_failure = Failure::Write;
    if (m_failure == Failure::Write)
        result.error = QStringLiteral("the game list could not be written");
    else if (m_failure == Failure::TooLong)
        result.error = QStringLiteral("a tag or text of the catalogue runs past 64 MiB, which "
                                      "no catalogue of MAME's does");
    else if (!m_closed)
        result.error = QStringLiteral("the catalogue ends before its end");
    else
        result.ok = true;
    // An unfinished piece at the end is dropped, as is an unfinished machine.
    m_carry.clear();
    m_carryTagEnd = npos;
    return result;
}

ListXmlConverter::ListXmlConverter(QIODevice& out)
    : m_scanner(std::make_unique<Scanner>(out))
{}

ListXmlConverter::~ListXmlConverter() = default;

bool ListXmlConverter::feed(QByteArrayView chunk)
{
    return m_scanner->feed(std::string_view(chunk.data(), std::size_t(chunk.size())));
}

ListXmlConversion ListXmlConverter::finish()
{
    return m_scanner->finish();
}

ListXmlConversion convertListXml(QIODevice& in, QIODevice& out)
{
    ListXmlConverter converter(out);
    std::vector<char> buffer(kChunk);
    qint64 got = 0;
    while ((got = in.read(buffer.data(), qint64(buffer.size()))) > 0) {
        if (!converter.feed(QByteArrayView(buffer.data(), got)))
            break;
    }
    ListXmlConversion result = converter.finish();
    if (got < 0) {
        result.ok = false;
        result.error = QStringLiteral("the catalogue could not be read");
    }
    return result;
}
