#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

// Text files are decoded as UTF-8 when the whole file is valid UTF-8, else as Windows-1252
// (the 8-bit character set of the catalogues and settings files written on older systems).
// An ASCII file decodes the same either way.
enum class TextEncoding
{
    Utf8,
    Windows1252,
};

// Checks UTF-8 validity piece by piece, so that a file can be checked in chunks: a sequence
// split between two chunks is completed by the next one.
class Utf8Validator
{
public:
    void feed(const char* data, std::size_t size);
    // True when everything fed is valid UTF-8 and no sequence is left unfinished.
    bool finish() const { return m_valid && m_pending == 0; }
    bool valid() const { return m_valid; }

private:
    bool m_valid = true;
    int m_pending = 0;          // continuation bytes still expected
    std::uint8_t m_low = 0x80;  // bounds of the next continuation byte, which exclude
    std::uint8_t m_high = 0xBF; // overlong forms, surrogates and code points past U+10FFFF
};

bool isValidUtf8(QByteArrayView bytes);

QString decodeWindows1252(QByteArrayView bytes);

inline QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : decodeWindows1252(bytes);
}

// The encoding of a whole text by the rule above.
inline TextEncoding detectEncoding(QByteArrayView bytes)
{
    return isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}
