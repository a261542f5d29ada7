#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string_view>

#include <QIODevice>

class QObject;

// A new version of a file, written under a unique temporary name beside it. Nothing shows at
// the file's own path until commit() renames the new one over it in one step; dropped
// without a commit, the new file is removed and the old one stays as it was. Writes are
// whole or fail: a short write (a full disk, a file size limit) is a failure with its
// reason in errorString(). What was written can be read back (seek, read) before the commit.
class FileReplacement : public QIODevice
{
public:
    // Flushes the new file to the disk and renames it over the old one. False on failure,
    // with the reason in *error; the old file is then as it was.
    virtual bool commit(QString* error) = 0;
    // Why a write failed, once one has; empty until then. Every later write fails too.
    virtual QString writeError() const = 0;
};

// Held while the object lives: see Files::lock.
class FileLock
{
public:
    virtual ~FileLock() = default;
};

// The file operations the program needs. Paths are absolute, built from the program
// directory.
class Files
{
public:
    virtual ~Files() = default;

    // True when a regular file exists at path and can be opened for reading.
    virtual bool isReadableFile(const QString& path) const = 0;

    virtual bool isDirectory(const QString& path) const = 0;

    // The names (without directory) of the regular files in dir whose names end in suffix,
    // letter case ignored, ordered by name with letter case ignored. Empty when dir is
    // missing or unreadable.
    virtual QStringList filesWithSuffix(const QString& dir, const QString& suffix) const = 0;

    // Calls take with the name (without directory, in the file system's bytes) of every entry
    // of dir, in no particular order, and whether it is a directory (also through a symbolic
    // link). Nothing is opened but dir. False when dir is missing or cannot be read.
    using EntryTaker = std::function<void(std::string_view name, bool isDirectory)>;
    virtual bool forEachEntry(const QString& dir, const EntryTaker& take) const = 0;

    // An open, readable device for the file, or nullptr when it cannot be opened.
    virtual std::unique_ptr<QIODevice> openForReading(const QString& path) const = 0;

    // What changes whenever the file at path is replaced or rewritten: its size and time of
    // last modification, as one text. Empty when there is no file there.
    virtual QString fileStamp(const QString& path) const = 0;

    // When the file at path was last modified; invalid when there is no file there.
    virtual QDateTime lastModified(const QString& path) const = 0;

    // True when anything (a file, a directory) exists at exactly this path.
    virtual bool exists(const QString& path) const = 0;

    // Replaces the file with bytes as one step: they are written to a new file beside it,
    // which is then renamed over it, so a failure (directory missing or read-only, disk
    // full) leaves the old file as it was. False on failure, with the reason in *error.
    virtual bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) = 0;

    // Deletes the file. False on failure, with the reason in *error.
    virtual bool remove(const QString& path, QString* error) = 0;

    // Calls changed, from the event loop, whenever a file appears in or disappears from dir,
    // or dir itself appears or disappears (also when folders above it are made or removed
    // first), for as long as the returned object lives.
    virtual std::unique_ptr<QObject> watchDirectory(const QString& dir,
                                                    std::function<void()> changed) const = 0;

    // Renames the file from over the file to, in one step: to is either the old file or the
    // new one, never missing or half-written. Both lie in one directory. False on failure,
    // with the reason in *error.
    virtual bool moveOver(const QString& from, const QString& to, QString* error) = 0;

    // Starts a new version of the file at path (see FileReplacement), open for writing and
    // reading; nullptr when it cannot be made, with the reason in *error.
    virtual std::unique_ptr<FileReplacement> startReplacing(const QString& path,
                                                            QString* error) = 0;

    // Takes the lock file at path for one process at a time, for as long as the returned
    // object lives. A lock whose holder has died is taken over, however old. nullptr when it
    // cannot be taken: *heldElsewhere tells that another living process holds it; otherwise
    // *error says why (the directory is missing or cannot be written).
    virtual std::unique_ptr<FileLock> lock(const QString& path, bool* heldElsewhere,
                                           QString* error) = 0;
};
