#include "ui/catalogue/snapshotimages.h"

#include "mame/snapshots.h"
#include "platform/files.h"

#include <QIODevice>
#include <QImageReader>
#include <QThread>

namespace {

// The memory the images may take: thousands of cells' worth.
constexpr qint64 kCacheBytes = 64 * 1024 * 1024;
// Cells scrolled past faster than their images are read: the oldest requests are dropped,
// and asked for again should their cells come back into view.
constexpr std::size_t kMostWaiting = 256;
constexpr int kReaders = 2;
// Room for every game of today's catalogue without a snapshot: growing the set as the user
// scrolls would rehash tens of thousands of names between two frames.
constexpr qsizetype kGamesWithout = 1 << 16;

constexpr QByteArrayView kPngSignature("\x89PNG\r\n\x1a\n", 8);

} // namespace

QImage loadSnapshot(const Files& files, const QString& folder, const QString& name, QSize box)
{
    const QString path = snapshotFile(files, folder, name);
    if (path.isEmpty())
        return {};
    const std::unique_ptr<QIODevice> device = files.openForReading(path);
    // Only a PNG, whatever Qt could read besides: that is what MAME writes.
    if (!device || device->peek(kPngSignature.size()) != kPngSignature)
        return {};
    QImageReader reader(device.get(), "png");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (size.isEmpty())
        return {};
    // MAME writes the game's own pixels, which are seldom square (Pong's are 1552x240): shown as
    // the arcade monitor showed them, 4:3, or 3:4 for a screen that stands upright.
    const QSize monitor = size.width() >= size.height() ? QSize(4, 3) : QSize(3, 4);
    reader.setScaledSize(monitor.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

SnapshotImages::SnapshotImages(const Files& files, QObject* parent)
    : QObject(parent)
    , m_files(files)
    , m_images(kCacheBytes)
{
    m_pool.setMaxThreadCount(kReaders);
    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    // The games found without a snapshot are looked for again; the images read stay.
    connect(&m_settle, &QTimer::timeout, this, [this] {
        m_none.clear();
        Q_EMIT cleared();
    });
    // The window's thread comes first on a machine with few cores.
    m_pool.setThreadPriority(QThread::LowPriority);
    m_none.reserve(kGamesWithout);
}

SnapshotImages::~SnapshotImages()
{
    // No reading may report to an object that is gone.
    m_pool.clear();
    m_pool.waitForDone();
}

void SnapshotImages::setFolder(const QString& folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    forgetAll();
    m_watch = m_folder.isEmpty() ? nullptr
                                 : m_files.watchDirectory(m_folder, [this] { m_settle.start(); });
}

void SnapshotImages::setBox(QSize box)
{
    if (box == m_box)
        return;
    m_box = box;
    forgetAll();
}

void SnapshotImages::forgetAll()
{
    ++m_generation;
    m_images.clear();
    m_none.clear();
    m_none.reserve(kGamesWithout);
    m_waiting.clear();
    m_queue.clear();
    Q_EMIT cleared();
}

void SnapshotImages::forget(const QString& name)
{
    m_images.remove(name);
    m_none.remove(name);
    // A reading under way tells of itself when it ends.
    if (!m_waiting.contains(name))
        Q_EMIT arrived(name, -1);
}

QPixmap SnapshotImages::image(const QString& name, int row)
{
    if (const QPixmap* cached = m_images.object(name))
        return *cached;
    if (m_folder.isEmpty() || m_box.isEmpty() || m_none.contains(name) || m_waiting.contains(name))
        return {};
    m_waiting.insert(name);
    m_queue.push_back({name, row});
    if (m_queue.size() > kMostWaiting) {
        m_waiting.remove(m_queue.front().name);
        m_queue.pop_front();
    }
    startReadings();
    return {};
}

void SnapshotImages::startReadings()
{
    while (m_reading < kReaders && !m_queue.empty()) {
        const Request request = m_queue.back();
        m_queue.pop_back();
        ++m_reading;
        m_pool.start([this, request, generation = m_generation, folder = m_folder, box = m_box] {
            const QImage image = loadSnapshot(m_files, folder, request.name, box);
            QMetaObject::invokeMethod(
                this, [=, this] { finished(generation, request.name, request.row, image); },
                Qt::QueuedConnection);
        });
    }
}

void SnapshotImages::finished(quint64 generation, const QString& name, int row, const QImage& image)
{
    --m_reading;
    if (generation == m_generation) {
        m_waiting.remove(name);
        if (image.isNull()) {
            m_none.insert(name);
        } else {
            auto* pixmap = new QPixmap(QPixmap::fromImage(image));
            m_images.insert(name, pixmap, qMax<qint64>(1, image.sizeInBytes()));
            Q_EMIT arrived(name, row);
        }
    }
    startReadings();
}
