#include "mame/mamewords.h"

#include <algorithm>

namespace {

bool isSetNameCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u'-';
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

} // namespace

bool isUsableSetName(QStringView name)
{
    if (name.isEmpty() || name.front() == u'-')
        return false;
    for (const QChar c : name) {
        if (!isSetNameCharacter(c.unicode()))
            return false;
    }
    return true;
}

bool isUsableSetName(std::string_view name)
{
    if (name.empty() || name.front() == '-')
        return false;
    for (const char c : name) {
        if (!isSetNameCharacter(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

bool isUsableRecordingName(QStringView name)
{
    if (name.isEmpty() || name.front() == u'-' || name.front() == u'.')
        return false;
    for (const QChar c : name) {
        if (c == u'/' || isControl(c.unicode()))
            return false;
    }
    return true;
}

QString quotedForMessage(QStringView text)
{
    constexpr qsizetype kLongest = 80;
    QString shown;
    shown.reserve(std::min(text.size(), kLongest) + 3);
    shown.append(u'"');
    for (const QChar c : text.left(kLongest))
        shown.append(isControl(c.unicode()) ? QChar(u'?') : c);
    if (text.size() > kLongest)
        shown.append(u'\u2026');
    shown.append(u'"');
    return shown;
}

QString refusedSetNameMessage(QStringView description, QStringView role, QStringView name)
{
    return QStringLiteral("The row %1 gives the %2 %3, which cannot be passed to MAME: %4.")
        .arg(quotedForMessage(description), role, quotedForMessage(name), kSetNameRule);
}

QString refusedRecordingNameMessage(QStringView name)
{
    return QStringLiteral("The recording name %1 cannot be passed to MAME: %2.")
        .arg(quotedForMessage(name), kRecordingNameRule);
}
