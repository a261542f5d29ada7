#include "options/gamesettingsfile.h"

#include "options/optiontext.h"
#include "platform/files.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QIODevice>

#include <memory>

namespace {

// A per-game file holds 29 short lines; anything far larger is not one, and is refused
// rather than read into memory whole.
constexpr qint64 kLargestFile = 1 << 20;

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

bool isUsableGameName(QStringView shortName)
{
    if (shortName.isEmpty() || shortName == u"." || shortName == u"..")
        return false;
    for (const QChar c : shortName) {
        if (c == u'/' || c == u'\\' || c == QChar(0))
            return false;
    }
    return true;
}

QString gameSettingsPath(const QString& programDir, const QString& shortName)
{
    return QDir(programDir).filePath(QStringLiteral("KvCfg/") + shortName + QStringLiteral(".kv"));
}

QByteArray gameSettingsBytes(const OptionSet& options)
{
    QString text;
    for (const OptionInfo& info : optionInfos())
        text += u'"' % fileKey(info.id) % u"\",\"" % optionText(options.value(info.id)) % u"\"\r\n";
    return text.toUtf8();
}

bool GameSettingsFields::atEndOfKeys()
{
    while (m_pos < m_text.size() && (m_text[m_pos] == u' ' || isLineEnd(m_text[m_pos])))
        ++m_pos;
    return m_pos >= m_text.size();
}

std::optional<QString> GameSettingsFields::next()
{
    const qsizetype n = m_text.size();
    while (m_pos < n && m_text[m_pos] == u' ')
        ++m_pos;
    if (m_pos >= n)
        return std::nullopt;

    QString field;
    qsizetype end = m_pos; // where the field's delimiter begins
    if (m_text[m_pos] == u'"') {
        const qsizetype start = m_pos + 1;
        end = start;
        // The closing quote is the first one followed by a delimiter or the end.
        while (end < n) {
            if (m_text[end] == u'"' &&
                (end + 1 >= n || m_text[end + 1] == u',' || isLineEnd(m_text[end + 1])))
                break;
            ++end;
        }
        field = m_text.sliced(start, end - start).toString();
        if (end < n)
            ++end; // past the closing quote
    } else {
        while (end < n && m_text[end] != u',' && !isLineEnd(m_text[end]))
            ++end;
        QStringView raw = m_text.sliced(m_pos, end - m_pos);
        while (!raw.isEmpty() && raw.front() == u' ')
            raw = raw.sliced(1);
        while (!raw.isEmpty() && raw.back() == u' ')
            raw.chop(1);
        field = raw.toString();
    }

    // Consume the delimiter: a comma, or one line end (CR LF counts as one).
    if (end < n) {
        if (m_text[end] == u',') {
            ++end;
        } else if (m_text[end] == u'\r') {
            ++end;
            if (end < n && m_text[end] == u'\n')
                ++end;
        } else if (m_text[end] == u'\n') {
            ++end;
        }
    }
    m_pos = end;
    return field;
}

GameSettingsLoad applyGameSettingsText(QStringView text, const ApplyOption& apply)
{
    GameSettingsLoad load;
    bool anyKnown = false;
    GameSettingsFields fields(text);
    while (!fields.atEndOfKeys()) {
        load.lastKey = fields.next().value_or(QString());
        const std::optional<QString> value = fields.next();
        if (!value) {
            load.failure = GameSettingsFailure::PastEndOfFile;
            return load;
        }
        load.lastValue = *value;

        const OptionInfo* match = nullptr;
        for (const OptionInfo& info : optionInfos()) {
            if (load.lastKey == fileKey(info.id)) {
                match = &info;
                break;
            }
        }
        if (!match)
            continue;
        anyKnown = true;
        const ParsedOption parsed = parseOptionText(match->kind, load.lastValue);
        if (!parsed.ok()) {
            load.failure = static_cast<int>(parsed.failure);
            return load;
        }
        if (!apply(match->id, parsed.value)) {
            load.failure = GameSettingsFailure::Refused;
            return load;
        }
    }
    // A file without a single option of ours is no per-game file (an empty one, another
    // program's file, random bytes): taking it for read would leave the options of the game
    // shown before on the panel.
    if (!anyKnown)
        load.failure = GameSettingsFailure::PastEndOfFile;
    return load;
}

GameSettingsLoad loadGameSettings(const Files& files, const QString& programDir,
                                  const QString& shortName, const ApplyOption& apply)
{
    GameSettingsLoad failed;
    if (!isUsableGameName(shortName)) {
        failed.failure = GameSettingsFailure::BadFileName;
        return failed;
    }
    const QString path = gameSettingsPath(programDir, shortName);
    if (!files.isDirectory(QDir(programDir).filePath(QStringLiteral("KvCfg")))) {
        failed.failure = GameSettingsFailure::PathNotFound;
        return failed;
    }
    if (!files.exists(path)) {
        failed.failure = GameSettingsFailure::FileNotFound;
        return failed;
    }
    const std::unique_ptr<QIODevice> device =
        files.isReadableFile(path) ? files.openForReading(path) : nullptr;
    if (!device || device->size() > kLargestFile) {
        failed.failure = GameSettingsFailure::AccessError;
        return failed;
    }
    const QByteArray bytes = device->readAll();
    // A text file holds no NUL byte: this is a binary file, whatever keys it seems to hold.
    if (bytes.contains('\0')) {
        failed.failure = GameSettingsFailure::PastEndOfFile;
        return failed;
    }
    return applyGameSettingsText(decodeText(bytes, detectEncoding(bytes)), apply);
}
