// The icon view scrolled through the whole catalogue with a snapshot folder of 1,000 PNGs:
// how long the user-interface thread is held at each step.

#include "gamelistbench.h"

#include "mame/mame.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/catalogue/snapshotimages.h"
#include "ui/shell/mainform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QListView>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int kSnapshots = 1000;
// How long each step of the scroll lets the event loop run: one frame at 60 Hz.
constexpr qint64 kFrameNanoseconds = 16'666'667;
// A pass of the event loop this short found nothing to do.
constexpr qint64 kNapNanoseconds = 200'000;

// snap/<name>.png, 320x240, for every kth game of the list, made once: noisy enough that the
// files are as large as a game's picture.
void writeSnapshots(const QString& folder, const GameListModel& model)
{
    QDir().mkpath(folder);
    QRandomGenerator random(251);
    const int every = std::max(1, model.rowCount() / kSnapshots);
    for (int i = 0, made = 0; i < model.rowCount() && made < kSnapshots; i += every, ++made) {
        QImage image(320, 240, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb(x * 255 / 320, y, static_cast<int>(random.bounded(64)) + i % 192);
        }
        image.save(QDir(folder).filePath(model.row(i).name + QStringLiteral(".png")), "PNG");
    }
}

double milliseconds(qint64 nanoseconds)
{
    return static_cast<double>(nanoseconds) / 1e6;
}

// The icon view scrolled from top to bottom a page at a time, a frame's worth of the event
// loop after each page; every processEvents() (paints, arriving images) is timed.
void BM_ScrollIconsWithSnapshots(benchmark::State& state)
{
    MainForm& form = gameListBenchWindow();
    GameList* gameList = form.gameList();
    GameListModel* model = form.games();
    static bool written = false;
    if (!std::exchange(written, true))
        writeSnapshots(QDir(benchProgramDir()).filePath(QStringLiteral("snap")), *model);
    int arrived = 0;
    const QMetaObject::Connection counting = QObject::connect(
        &gameList->snapshots(), &SnapshotImages::arrived, &form, [&arrived] { ++arrived; });
    std::vector<qint64> paints;
    std::vector<qint64> steps;
    qint64 totalNs = 0;
    QListView* icons = form.GamesListView->iconView();
    QScrollBar* bar = icons->verticalScrollBar();
    for (auto _ : state) {
        state.PauseTiming();
        arrived = 0;
        steps.clear();
        paints.clear();
        MameInfo none;
        none.dialect = MameDialect::Today;
        none.snapshotDirectory = QStringLiteral("/nonexistent");
        gameList->setMame(none);       // forgets every image read before
        gameList->setMame(MameInfo{}); // the classic MAME: its snapshots are in snap
        form.GamesListView->showIcons();
        bar->setValue(0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QElapsedTimer whole;
        whole.start();
        while (true) {
            // The first pass paints the page scrolled to; the rest of the frame takes what
            // else comes, the images read meanwhile among it, napping when nothing does.
            QElapsedTimer frame;
            frame.start();
            bool first = true;
            do {
                QElapsedTimer step;
                step.start();
                QCoreApplication::processEvents();
                const qint64 took = step.nsecsElapsed();
                (first ? paints : steps).push_back(took);
                if (!first && took < kNapNanoseconds)
                    QThread::usleep(kNapNanoseconds / 1000);
                first = false;
            } while (frame.nsecsElapsed() < kFrameNanoseconds);
            if (bar->value() >= bar->maximum())
                break;
            bar->setValue(bar->value() + bar->pageStep());
        }
        totalNs = whole.nsecsElapsed();
    }
    std::sort(paints.begin(), paints.end());
    const qint64 longest = std::max(paints.back(), *std::max_element(steps.begin(), steps.end()));
    state.counters["pages"] = static_cast<double>(paints.size());
    state.counters["max_ms"] = milliseconds(longest);
    state.counters["page_median_ms"] = milliseconds(paints[paints.size() / 2]);
    state.counters["page_p99_ms"] = milliseconds(paints[paints.size() * 99 / 100]);
    state.counters["page_max_ms"] = milliseconds(paints.back());
    state.counters["snapshots_shown"] = arrived;
    state.counters["scroll_s"] = static_cast<double>(totalNs) / 1e9;
    QObject::disconnect(counting);
    form.GamesListView->showReport();
}
BENCHMARK(BM_ScrollIconsWithSnapshots)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
