#pragma once

#include <QString>
#include <QStringList>

class Files;

// The listing of the recordings directory: the files whose names match a "*.EXT" pattern,
// letter case ignored, ordered by name with letter case ignored, leaving out the files whose
// name without its extension could not be passed to MAME as a recording name. It reads the
// directory when the directory or pattern is set and when asked to refresh, never in between.
class RecordingsListing
{
public:
    explicit RecordingsListing(const Files& files);

    void setDirectory(const QString& directory);
    void setPattern(const QString& pattern);
    void refresh();

    QString directory() const { return m_directory; }
    int count() const { return static_cast<int>(m_names.size()); }
    // The i-th file's name with its extension, without the directory; i counts from 0.
    QString name(int i) const { return m_names.value(i); }

private:
    const Files& m_files;
    QString m_directory;
    QString m_pattern = QStringLiteral("*.*");
    QStringList m_names;
};
