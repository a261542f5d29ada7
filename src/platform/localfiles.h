#pragma once

#include "platform/files.h"

// The files of the local file system.
class LocalFiles final : public Files
{
public:
    bool isReadableFile(const QString& path) const override;
    bool isDirectory(const QString& path) const override;
    QStringList filesWithSuffix(const QString& dir, const QString& suffix) const override;
    std::unique_ptr<QIODevice> openForReading(const QString& path) const override;
};
