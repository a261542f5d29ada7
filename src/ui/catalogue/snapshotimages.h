#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <deque>
#include <memory>

class Files;

// The snapshot of the game with short name in MAME's snapshot folder, read and scaled to fit
// box (its proportions kept); a null image when the game has none, or its file is no PNG or
// cannot be read.
QImage loadSnapshot(const Files& files, const QString& folder, const QString& name, QSize box);

// The snapshots of the games the icon view shows, read and scaled on worker threads as the
// cells ask for them; the window never waits for a file. The images are kept up to a bound
// in memory, the most recently shown staying; a game found to have none is not looked for
// again until the folder is set anew or changes, or the game is forgotten.
class SnapshotImages final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SnapshotImages)

public:
    // files is used from the worker threads too.
    explicit SnapshotImages(const Files& files, QObject* parent = nullptr);
    ~SnapshotImages() override;

    // Looks in folder from now on (none when empty), forgetting every image and every game
    // found without one; sends cleared when that changes anything. The folder is watched: a
    // snapshot copied in, or a game's folder made, is looked for again (cleared again).
    void setFolder(const QString& folder);
    const QString& folder() const { return m_folder; }
    // The box each image is scaled to fit; images of another size are forgotten.
    void setBox(QSize box);

    // Looks for the game's snapshot again at the next image(): MAME may have taken one since.
    // Sends arrived(name, -1) so that a view showing the game asks for it.
    void forget(const QString& name);

    // The game's snapshot when it has been read; otherwise a null pixmap, and unless the
    // game is known to have none, its reading is asked for: arrived(name, row) follows once
    // there is an image. row is the caller's, handed back.
    QPixmap image(const QString& name, int row);

Q_SIGNALS:
    void arrived(const QString& name, int row);
    void cleared();

private:
    struct Request
    {
        QString name;
        int row;
    };
    void forgetAll();
    // Starts readings while fewer than the pool's threads are under way, the latest asked first.
    void startReadings();
    void finished(quint64 generation, const QString& name, int row, const QImage& image);

    const Files& m_files;
    QString m_folder;
    QSize m_box;
    QCache<QString, QPixmap> m_images;
    QSet<QString> m_none;    // games without a snapshot that can be shown
    QSet<QString> m_waiting; // asked for, in m_queue or being read
    std::deque<Request> m_queue;
    int m_reading = 0;
    // Counts the folders and boxes set: a reading for an earlier one is dropped when it ends.
    quint64 m_generation = 0;
    QThreadPool m_pool;
    std::unique_ptr<QObject> m_watch;
    QTimer m_settle; // a pack copied in changes the folder thousands of times: once it rests
};
