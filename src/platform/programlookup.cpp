#include "platform/programlookup.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// Only a regular file that this user may execute counts as found. A directory, a device
// or a file without execute permission that happens to carry the emulator's name would
// otherwise hide the real program further down the search and fail at start-up with a
// less helpful message. A symbolic link counts when its target qualifies: a link to a
// MAME kept elsewhere is a common setup.
bool isProgramFile(const QFileInfo& info)
{
    return info.isFile() && info.isExecutable();
}

QString withoutExeSuffix(const QString& word)
{
    static const QString suffix = QStringLiteral(".exe");
    if (word.endsWith(suffix, Qt::CaseInsensitive))
        return word.chopped(suffix.size());
    return word;
}

QString findInProgramDir(const QString& word, const QString& programDir)
{
    const QDir dir(programDir);
    const QFileInfo exact(dir.filePath(word));
    if (isProgramFile(exact))
        return exact.absoluteFilePath();

    // Sorted by name so that the choice among names differing only in case (MAME and mame
    // side by side) does not depend on the order of the directory on disk.
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    // The word as written is tried before the word without ".exe", so that MAME.EXE picks
    // a mame.exe over a mame when both are there.
    for (const QString& candidate : {word, withoutExeSuffix(word)}) {
        if (candidate.isEmpty())
            continue;
        for (const QFileInfo& entry : entries) {
            if (entry.fileName().compare(candidate, Qt::CaseInsensitive) == 0 &&
                isProgramFile(entry))
                return entry.absoluteFilePath();
        }
    }
    return {};
}

QString findInDirectories(const QString& word, const QStringList& directories)
{
    const QString name = withoutExeSuffix(word).toLower();
    if (name.isEmpty())
        return {};
    for (const QString& entry : directories) {
        // To a shell an empty entry means the current directory. Searching it, or any
        // relative entry, would make the program started depend on where Korvane was
        // started from, so only absolute directories are searched.
        if (entry.isEmpty() || QDir::isRelativePath(entry))
            continue;
        const QFileInfo candidate(QDir(entry).filePath(name));
        if (isProgramFile(candidate))
            return candidate.absoluteFilePath();
    }
    return {};
}

} // namespace

QString findProgram(const QString& word, const QString& programDir, const QString& pathVariable,
                    const QStringList& systemDirectories)
{
    if (word.isEmpty())
        return {};
    if (word.contains(u'/')) {
        // QDir::filePath keeps an absolute word as it is.
        const QFileInfo path(QDir(programDir).filePath(word));
        return isProgramFile(path) ? path.absoluteFilePath() : QString();
    }
    const QString inProgramDir = findInProgramDir(word, programDir);
    if (!inProgramDir.isEmpty())
        return inProgramDir;
    return findInDirectories(word, pathVariable.split(u':') + systemDirectories);
}
