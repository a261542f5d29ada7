// listxml.cpp: MAME's XML catalogue to the game list text, in one streaming pass.
//
// Speed matters: a catalogue of today runs to a quarter of a gigabyte. The scan jumps from
// '<' to '<' with memchr and looks at a tag only as far as its first letters; of the
// millions of tags (ROMs, chips, DIP switches) only six kinds are read at all. Nothing is
// built per tag: the values of one machine are kept in reused strings.

#include "catalogue/listxml.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kChunk = std::size_t(1) << 20;
// No tag or text of the catalogue comes near this; a longer one is not MAME's output.
constexpr std::size_t kLongestPiece = std::size_t(64) << 20;

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

// Appends text with its entities decoded. An entity the XML standard does not define, or a
// character reference to no character, stays as it is written. Line ends become blanks: a
// value is one line of the game list.
void appendDecoded(std::string& out, std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t amp = text.find('&', i);
        const std::size_t plainEnd = amp == std::string_view::npos ? text.size() : amp;
        for (std::size_t k = i; k < plainEnd; ++k)
            out += (text[k] == '\n' || text[k] == '\r') ? ' ' : text[k];
        if (amp == std::string_view::npos)
            return;
        const std::size_t semi = text.find(';', amp);
        const std::string_view name = semi == std::string_view::npos || semi - amp > 10
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
                appendUtf8(out, code);
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
        if (eq == std::string_view::npos || eq + 1 >= attributes.size())
            return {};
        const char quote = attributes[eq + 1];
        if (quote != '"' && quote != '\'')
            return {};
        const std::size_t close = attributes.find(quote, eq + 2);
        if (close == std::string_view::npos)
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

class Converter
{
public:
    Converter(QIODevice& in, QIODevice& out)
        : m_in(in)
        , m_out(out)
    {
        m_buffer.resize(kChunk);
        m_text.reserve(kChunk + 4096);
    }

    ListXmlConversion run();

private:
    // Keeps the bytes from m_begin on, reads more after them; false at the end of the input
    // or on a read error.
    bool fill();
    void startMachine(std::string_view attributes);
    void endMachine();
    bool flush();

    QIODevice& m_in;
    QIODevice& m_out;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    bool m_readError = false;

    // The machine being read.
    bool m_inMachine = false;
    bool m_skip = false;
    bool m_bios = false;
    std::string m_name, m_description, m_year, m_manufacturer, m_cloneof, m_romof, m_status;

    std::string m_text; // output not yet written
    ListXmlConversion m_result;
};

bool Converter::fill()
{
    if (m_eof)
        return false;
    const std::size_t kept = m_end - m_begin;
    if (m_begin > 0 && kept > 0)
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, kept);
    m_begin = 0;
    m_end = kept;
    if (m_buffer.size() - m_end < kChunk / 2) {
        if (m_buffer.size() >= kLongestPiece)
            return false;
        m_buffer.resize(m_buffer.size() * 2);
    }
    const qint64 got = m_in.read(m_buffer.data() + m_end, qint64(m_buffer.size() - m_end));
    if (got < 0) {
        m_readError = true;
        m_eof = true;
        return false;
    }
    if (got == 0) {
        m_eof = true;
        return false;
    }
    m_end += std::size_t(got);
    return true;
}

void Converter::startMachine(std::string_view attributes)
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
    m_description.clear();
    m_year.clear();
    m_manufacturer.clear();
    m_status.clear();
}

void Converter::endMachine()
{
    m_inMachine = false;
    if (m_skip || m_name.empty())
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
    if (!m_cloneof.empty())
        m_text += "\tcloneof " + m_cloneof + "\n";
    if (!m_romof.empty())
        m_text += "\tromof " + m_romof + "\n";
    if (m_bios) {
        ++m_result.resources;
    } else {
        // The list reads "good" and anything else; a machine without a driver is no good.
        m_text += "\tdriver ( status ";
        m_text += m_status.empty() ? "preliminary" : m_status;
        m_text += " )\n";
        ++m_result.games;
    }
    m_text += ")\n\n";
}

bool Converter::flush()
{
    if (m_text.empty())
        return true;
    const qint64 written = m_out.write(m_text.data(), qint64(m_text.size()));
    m_text.clear();
    return written >= 0;
}

ListXmlConversion Converter::run()
{
    bool closed = false; // the catalogue's own end was seen
    fill();
    for (;;) {
        const char* data = m_buffer.data();
        const void* lt = std::memchr(data + m_begin, '<', m_end - m_begin);
        if (!lt) {
            m_begin = m_end;
            if (!fill())
                break;
            continue;
        }
        m_begin = std::size_t(static_cast<const char*>(lt) - data);
        const void* gt = std::memchr(data + m_begin, '>', m_end - m_begin);
        if (!gt) {
            if (!fill())
                break;
            continue;
        }
        const std::size_t tagEnd = std::size_t(static_cast<const char*>(gt) - data);
        const std::string_view tag(data + m_begin + 1, tagEnd - m_begin - 1);
        std::size_t next = tagEnd + 1;

        if (tag.empty() || tag[0] == '!' || tag[0] == '?') {
            // Declarations and the DTD's own markup.
        } else if (tag[0] == '/') {
            if (tag == "/machine" && m_inMachine) {
                endMachine();
                if (m_text.size() >= kChunk && !flush())
                    break;
            } else if (tag == "/mame") {
                closed = true;
            }
        } else if (isTag(tag, "machine")) {
            startMachine(tag.substr(7));
        } else if (m_inMachine && isTag(tag, "driver")) {
            m_status.clear();
            appendDecoded(m_status, attribute(tag.substr(6), "status"));
        } else if (m_inMachine &&
                   (tag == "description" || tag == "year" || tag == "manufacturer")) {
            // The element's text runs to the next '<'.
            const void* close = std::memchr(data + next, '<', m_end - next);
            if (!close) {
                if (!fill())
                    break;
                continue; // this tag again, with more of the input
            }
            const std::size_t textEnd = std::size_t(static_cast<const char*>(close) - data);
            const std::string_view text(data + next, textEnd - next);
            std::string& target = tag[0] == 'd'   ? m_description
                                  : tag[0] == 'y' ? m_year
                                                  : m_manufacturer;
            target.clear();
            appendDecoded(target, text);
            next = textEnd;
        }
        m_begin = next;
    }

    if (!flush()) {
        m_result.error = QStringLiteral("the game list could not be written");
        return m_result;
    }
    if (m_readError) {
        m_result.error = QStringLiteral("the catalogue could not be read");
        return m_result;
    }
    if (!closed) {
        m_result.error = QStringLiteral("the catalogue ends before its end");
        return m_result;
    }
    m_result.ok = true;
    return m_result;
}

} // namespace

ListXmlConversion convertListXml(QIODevice& in, QIODevice& out)
{
    Converter converter(in, out);
    return converter.run();
}
