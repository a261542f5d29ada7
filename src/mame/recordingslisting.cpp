#include "mame/recordingslisting.h"

#include "mame/mamewords.h"
#include "platform/files.h"

#include <QDir>
#include <QIODevice>

#include <algorithm>

namespace {

// Today's recording header: the mark, 8 bytes of the time it began, the major and minor
// format version, 2 reserved bytes, then the machine's short name, NUL-padded to 12 bytes.
constexpr QByteArrayView kMark("MAMEINP\0", 8);
constexpr qsizetype kMajorVersionAt = 0x10;
constexpr char kMajorVersion = 3;
constexpr qsizetype kMachineAt = 0x14;
constexpr qsizetype kMachineBytes = 12;

} // namespace

std::optional<QString> recordedMachine(QByteArrayView head)
{
    if (head.size() < kRecordingHeadBytes || !head.startsWith(kMark) ||
        head[kMajorVersionAt] != kMajorVersion)
        return std::nullopt;
    const QByteArrayView field = head.sliced(kMachineAt, kMachineBytes);
    const qsizetype end = field.indexOf('\0');
    const QByteArrayView machine = end < 0 ? field : field.first(end);
    if (machine.isEmpty())
        return std::nullopt;
    return QString::fromLatin1(machine);
}

RecordingsListing::RecordingsListing(const Files& files)
    : m_files(files)
{}

void RecordingsListing::setDirectory(const QString& directory)
{
    m_directory = directory;
    refresh();
}

void RecordingsListing::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    refresh();
}

void RecordingsListing::refresh()
{
    m_recordings.clear();
    if (m_directory.isEmpty())
        return;
    // Only "*" followed by a suffix is used ("*.INP"); what follows the star must end the
    // name. "*.*" and "*" list every file.
    QString suffix = m_pattern.startsWith(u'*') ? m_pattern.mid(1) : m_pattern;
    if (suffix == QStringLiteral(".*"))
        suffix.clear();
    const QDir directory(m_directory);
    for (const QString& name : m_files.filesWithSuffix(m_directory, suffix)) {
        // A recording is offered by its name without the extension, which goes to MAME as a
        // word: a name MAME could misread is not offered at all.
        if (!isUsableRecordingName(QStringView(name).chopped(std::min<qsizetype>(4, name.size()))))
            continue;
        const QString path = directory.filePath(name);
        Recording recording{name, m_files.lastModified(path), std::nullopt};
        if (const std::unique_ptr<QIODevice> file = m_files.openForReading(path))
            recording.machine = recordedMachine(file->read(kRecordingHeadBytes));
        m_recordings.append(recording);
    }
    // The files come ordered by name, which stays the order of those of one time.
    std::stable_sort(
        m_recordings.begin(), m_recordings.end(),
        [](const Recording& a, const Recording& b) { return a.modified > b.modified; });
}
