#include "platform/textcodec.h"

#include <cstring>

void Utf8Validator::feed(const char* data, std::size_t size)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(data);
    const auto* const end = p + size;
    while (m_valid && p < end) {
        if (m_pending == 0) {
            // Most text is ASCII: skip it eight bytes at a time.
            while (end - p >= 8) {
                std::uint64_t word;
                std::memcpy(&word, p, sizeof word);
                if (word & 0x8080808080808080ULL)
                    break;
                p += 8;
            }
            if (p == end)
                break;
            const std::uint8_t lead = *p++;
            m_low = 0x80;
            m_high = 0xBF;
            if (lead < 0x80) {
                continue;
            } else if (lead >= 0xC2 && lead <= 0xDF) {
                m_pending = 1;
            } else if (lead >= 0xE0 && lead <= 0xEF) {
                m_pending = 2;
                if (lead == 0xE0)
                    m_low = 0xA0; // overlong
                else if (lead == 0xED)
                    m_high = 0x9F; // surrogates
            } else if (lead >= 0xF0 && lead <= 0xF4) {
                m_pending = 3;
                if (lead == 0xF0)
                    m_low = 0x90; // overlong
                else if (lead == 0xF4)
                    m_high = 0x8F; // past U+10FFFF
            } else {
                m_valid = false;
            }
        } else {
            const std::uint8_t byte = *p++;
            if (byte < m_low || byte > m_high) {
                m_valid = false;
                break;
            }
            m_low = 0x80;
            m_high = 0xBF;
            --m_pending;
        }
    }
}

bool isValidUtf8(QByteArrayView bytes)
{
    Utf8Validator validator;
    validator.feed(bytes.data(), static_cast<std::size_t>(bytes.size()));
    return validator.finish();
}

QString decodeWindows1252(QByteArrayView bytes)
{
    // 0x80 to 0x9F differ from Latin-1; the five bytes that Windows-1252 leaves undefined
    // map to the control characters of the same value, as Windows itself maps them.
    static constexpr char16_t k80to9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString result(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? k80to9F[byte - 0x80] : char16_t(byte);
    }
    return result;
}
