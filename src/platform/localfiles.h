#pragma once

#include "platform/files.h"

// Replaces the file at path with bytes as one step (a new file beside it, renamed over it);
// on failure the old file stays as it was. False on failure, with the reason in *error.
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error);

// The files of the local file system.
class LocalFiles final : public Files
{
public:
    bool isReadableFile(const QString& path) const override;
    bool isDirectory(const QString& path) const override;
    QStringList filesWithSuffix(const QString& dir, const QString& suffix) const override;
    bool forEachEntry(const QString& dir, const EntryTaker& take) const override;
    std::unique_ptr<QIODevice> openForReading(const QString& path) const override;
    QString fileStamp(const QString& path) const override;
    QDateTime lastModified(const QString& path) const override;
    bool exists(const QString& path) const override;
    bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) override;
    bool remove(const QString& path, QString* error) override;
    bool moveOver(const QString& from, const QString& to, QString* error) override;
    std::unique_ptr<QObject> watchDirectory(const QString& dir,
                                            std::function<void()> changed) const override;
    std::unique_ptr<FileReplacement> startReplacing(const QString& path, QString* error) override;
    std::unique_ptr<FileLock> lock(const QString& path, bool* heldElsewhere,
                                   QString* error) override;
};
