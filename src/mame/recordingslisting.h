#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class Files;

// One file of the recordings directory.
struct Recording
{
    QString fileName; // with its extension, without the directory
    QDateTime modified;
    // The short name of the machine it was recorded on, as its header says; nullopt when the
    // header cannot be read (the classic MAME's files, or a damaged one).
    std::optional<QString> machine;
};

// The listing of the recordings directory: the files whose names match a "*.EXT" pattern,
// letter case ignored, newest first (files of one time by name, letter case ignored),
// leaving out the files whose name without its extension could not be passed to MAME as a
// recording name. It reads the directory, and the head of each file, when the directory or
// pattern is set and when asked to refresh, never in between.
class RecordingsListing
{
public:
    explicit RecordingsListing(const Files& files);

    void setDirectory(const QString& directory);
    void setPattern(const QString& pattern);
    void refresh();

    QString directory() const { return m_directory; }
    int count() const { return static_cast<int>(m_recordings.size()); }
    // The i-th file's name with its extension, without the directory; i counts from 0.
    QString name(int i) const { return m_recordings.value(i).fileName; }
    const Recording& recording(int i) const { return m_recordings.at(i); }

private:
    const Files& m_files;
    QString m_directory;
    QString m_pattern = QStringLiteral("*.*");
    QList<Recording> m_recordings;
};

// How many bytes of a recording's head recordedMachine needs.
inline constexpr qsizetype kRecordingHeadBytes = 0x20;

// The machine a recording of today's MAME was made on, from the head of its file: the
// short name that its header holds after the "MAMEINP" mark and the format version 3. nullopt
// for anything else: the classic MAME's recordings begin with the inputs themselves, and a
// file cut short or of another format has no name to trust. The name is as the file holds
// it: whether MAME may be given it is the launch's question.
std::optional<QString> recordedMachine(QByteArrayView head);
