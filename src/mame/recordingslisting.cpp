#include "mame/recordingslisting.h"

#include "mame/mamewords.h"
#include "platform/files.h"

#include <algorithm>

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
    m_names.clear();
    if (m_directory.isEmpty())
        return;
    // Only "*" followed by a suffix is used ("*.INP"); what follows the star must end the
    // name. "*.*" and "*" list every file.
    QString suffix = m_pattern.startsWith(u'*') ? m_pattern.mid(1) : m_pattern;
    if (suffix == QStringLiteral(".*"))
        suffix.clear();
    m_names = m_files.filesWithSuffix(m_directory, suffix);
    // A recording is offered by its name without the extension, which goes to MAME as a
    // word: a name MAME could misread is not offered at all.
    m_names.removeIf([](const QString& name) {
        return !isUsableRecordingName(
            QStringView(name).chopped(std::min<qsizetype>(4, name.size())));
    });
}
