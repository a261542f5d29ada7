#include "gamelistbench.h"

#include "syntheticcatalogue.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "catalogue/gamecolumns.h"
#include "catalogue/gamelistreader.h"
#include "catalogue/listtype.h"
#include "fakes/fakeplatform.h"
#include "mame/romsets.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/shell/mainform.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr double kMegabyte = 1e6;

// The main window as the program builds it, over fakes for everything but the files, which
// are the real ones in the generated program directory.
struct ListWindow : FakePlatform
{
    explicit ListWindow(const QString& programDir)
        : FakePlatform(programDir)
        , form(platform)
    {
        form.GamesListTypeCombo->setCurrentIndex(FullList);
        form.show();
        QCoreApplication::processEvents();
    }

    MainForm form;

    // Taken on the first load.
    double rowsMegabytes = 0;
    double residentGrowthMegabytes = 0;
    std::vector<CatalogueEntry> fileOrder;
};

const SyntheticCatalogue* g_catalogue = nullptr;
std::unique_ptr<ListWindow> g_window;

const SyntheticCatalogue& catalogue()
{
    return *g_catalogue;
}

std::size_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0;
    std::size_t resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "korvane_bench: %s\n", qPrintable(what));
    std::exit(EXIT_FAILURE);
}

// The window, with the catalogue loaded once. That first load measures the memory and is
// checked: a load that shows the wrong rows would make every figure meaningless.
ListWindow& loadedWindow()
{
    if (g_window)
        return *g_window;
    g_window = std::make_unique<ListWindow>(catalogue().programDir);
    ListWindow& w = *g_window;

    const std::size_t before = residentBytes();
    w.form.gameList()->LoadGameList();
    QCoreApplication::processEvents();
    const std::size_t after = residentBytes();

    const QString expected =
        QStringLiteral("Brimwork's Korvane - %1 games available").arg(catalogue().games);
    if (w.form.windowTitle() != expected) {
        fail(QStringLiteral("after loading %1 the caption reads \"%2\", not \"%3\"")
                 .arg(catalogue().path, w.form.windowTitle(), expected));
    }
    if (!w.messages.shown.isEmpty())
        fail(QStringLiteral("the load showed a message: ") + w.messages.shown.first().text);

    GameListModel* model = w.form.games();
    w.rowsMegabytes = static_cast<double>(model->memoryUsage()) / kMegabyte;
    w.residentGrowthMegabytes =
        (static_cast<double>(after) - static_cast<double>(before)) / kMegabyte;
    w.fileOrder.reserve(static_cast<std::size_t>(model->rowCount()));
    for (int i = 0; i < model->rowCount(); ++i)
        w.fileOrder.push_back(model->row(i));
    return w;
}

void BM_ReadGameList(benchmark::State& state)
{
    std::int64_t entries = 0;
    for (auto _ : state) {
        entries = 0;
        const bool read = ReadGameList(catalogue().path, [&entries](CatalogueEntry&& entry) {
            benchmark::DoNotOptimize(entry);
            ++entries;
        });
        if (!read) {
            state.SkipWithError("the catalogue could not be read");
            return;
        }
    }
    if (entries != catalogue().games)
        state.SkipWithError("the reader did not deliver every game");
    state.SetBytesProcessed(state.iterations() * catalogue().bytes);
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_ReadGameList)->Unit(benchmark::kMillisecond);

// The floor for any reader: the same file read the same way, only looking for line ends.
void BM_LineScan(benchmark::State& state)
{
    std::vector<char> buffer(std::size_t(1) << 20);
    std::int64_t lines = 0;
    for (auto _ : state) {
        QFile file(catalogue().path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("the catalogue could not be opened");
            return;
        }
        lines = 0;
        qint64 got = 0;
        while ((got = file.read(buffer.data(), static_cast<qint64>(buffer.size()))) > 0) {
            const char* p = buffer.data();
            const char* const end = p + got;
            while (const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
                ++lines;
                p = static_cast<const char*>(hit) + 1;
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * catalogue().bytes);
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_LineScan)->Unit(benchmark::kMillisecond);

// From the file to the rows on screen and the caption set, as a reload from the list-type
// chooser does it.
void BM_LoadToRowsShown(benchmark::State& state)
{
    ListWindow& w = loadedWindow();
    GameList* gameList = w.form.gameList();
    for (auto _ : state) {
        gameList->LoadGameList();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = w.form.games()->rowCount();
    state.counters["rows_MB"] = w.rowsMegabytes;
    state.counters["rss_growth_MB"] = w.residentGrowthMegabytes;
}
BENCHMARK(BM_LoadToRowsShown)->Unit(benchmark::kMillisecond);

void BM_SortByColumn(benchmark::State& state)
{
    ListWindow& w = loadedWindow();
    GameListModel* model = w.form.games();
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        model->setRows(w.fileOrder); // each sort starts from the order of the file
        state.ResumeTiming();
        model->sort(column);
    }
    model->setRows(w.fileOrder);
    state.SetLabel(kGameColumns[static_cast<std::size_t>(column)].header.toString().toStdString());
}
BENCHMARK(BM_SortByColumn)
    ->DenseRange(0, static_cast<int>(kGameColumns.size()) - 1)
    ->Unit(benchmark::kMillisecond);

// A click on a column header as the user makes it: the sort, the selected game kept and
// scrolled to, and the view's update. Before each click, untimed, the rows are put back in
// file order, a game halfway down is selected and the view is laid out again.
void BM_ColumnClick(benchmark::State& state)
{
    ListWindow& w = loadedWindow();
    GameListModel* model = w.form.games();
    GameListView* view = w.form.GamesListView;
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        model->setRows(w.fileOrder);
        view->selectRow(model->rowCount() / 2);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        w.form.gameList()->GamesListView_ColumnClick(column);
        QCoreApplication::processEvents();
    }
    state.SetLabel(kGameColumns[static_cast<std::size_t>(column)].header.toString().toStdString());
}
BENCHMARK(BM_ColumnClick)
    ->DenseRange(0, static_cast<int>(kGameColumns.size()) - 1)
    ->Unit(benchmark::kMillisecond);

// Finding as the user types, in the report (/0) and the icon view (/1): "dragon 198" a key at
// a time into the find field, then Backspace until it is empty again; each keystroke is timed from
// the field's change to the rows laid out and painted (one processEvents()). The find field is
// opened afresh for each iteration, so the first keystroke folds the texts of every game.
void BM_FindKeystroke(benchmark::State& state)
{
    ListWindow& w = loadedWindow();
    GameList* gameList = w.form.gameList();
    GameListModel* model = w.form.games();
    const QString typed = QStringLiteral("dragon 198");
    const bool icons = state.range(0) == 1;
    if (icons)
        w.form.GamesListView->showIcons();
    std::vector<double> steps;
    int found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        model->setRows(w.fileOrder);
        w.form.GamesListView->selectRow(model->rowCount() / 2);
        gameList->FindMenu_Click();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        for (qsizetype length = 1; length <= typed.size() * 2; ++length) {
            const qsizetype shown = length <= typed.size() ? length : typed.size() * 2 - length;
            QElapsedTimer timer;
            timer.start();
            gameList->FindText_Change(typed.left(shown));
            QCoreApplication::processEvents();
            steps.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            if (shown == typed.size())
                found = model->rowCount();
        }
        state.PauseTiming();
        gameList->FindClose_Click();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    std::sort(steps.begin(), steps.end());
    state.counters["keystrokes"] = static_cast<double>(steps.size());
    state.counters["key_median_ms"] = steps[steps.size() / 2];
    state.counters["key_max_ms"] = steps.back();
    state.counters["found"] = found;
    state.SetLabel(icons ? "icons" : "report");
    if (icons)
        w.form.GamesListView->showReport();
}
BENCHMARK(BM_FindKeystroke)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(10);

// A ROM folder of 40,000 entries in the program directory, where the classic MAME looks: the
// .zip of every other game of the catalogue (with its BIOS), and .7z files and folders of
// sets the catalogue does not know. Made once.
QString romFolder()
{
    static const QString folder = [] {
        const QString roms = QDir(catalogue().programDir).filePath(QStringLiteral("roms"));
        QDir().mkpath(roms);
        const auto touch = [&roms](const QString& name) {
            QFile file(QDir(roms).filePath(name));
            if (!file.open(QIODevice::WriteOnly))
                fail(QStringLiteral("the ROM folder could not be written: ") + file.errorString());
        };
        touch(QStringLiteral("neogeo.zip"));
        int entries = 1;
        const std::vector<CatalogueEntry>& games = loadedWindow().fileOrder;
        for (std::size_t i = 0; i < games.size() && entries < 22500; i += 2, ++entries)
            touch(games[i].name + QStringLiteral(".zip"));
        for (int i = 0; entries < 40000; ++i, ++entries) {
            if (i % 10 == 0)
                QDir(roms).mkdir(QStringLiteral("unknown%1").arg(i));
            else
                touch(QStringLiteral("Unknown%1.7z").arg(i));
        }
        return roms;
    }();
    return folder;
}

// Listing the ROM folder and deciding for every game of the catalogue whether MAME can start
// it, as a change in the folder makes the program do.
void BM_RomSetsAndAvailability(benchmark::State& state)
{
    const QString folder = romFolder();
    const std::vector<CatalogueEntry>& games = loadedWindow().fileOrder;
    GameAvailability availability;
    availability.addBios(QStringLiteral("neogeo"));
    for (const CatalogueEntry& game : games)
        availability.addGame(game);
    LocalFiles files;
    int available = 0;
    for (auto _ : state) {
        RomSets sets(files);
        sets.setFolders({folder});
        available = 0;
        for (const CatalogueEntry& game : games)
            available += availability.isAvailable(game, sets.present()) ? 1 : 0;
    }
    state.counters["folder_entries"] = 40000;
    state.counters["games"] = static_cast<double>(games.size());
    state.counters["available"] = available;
}
BENCHMARK(BM_RomSetsAndAvailability)->Unit(benchmark::kMillisecond);

// The user chooses "Available games" in the list-type chooser, from the full list: the file
// read, the available games kept, the rows shown.
void BM_SwitchToAvailable(benchmark::State& state)
{
    ListWindow& w = loadedWindow();
    GameList* gameList = w.form.gameList();
    romFolder();
    gameList->setMame(MameInfo{}); // the classic MAME: its ROM folder is roms
    const auto choose = [&w, gameList](int type) {
        w.form.GamesListTypeCombo->setCurrentIndex(type);
        gameList->GamesListTypeCombo_Click();
        QCoreApplication::processEvents();
    };
    for (auto _ : state) {
        state.PauseTiming();
        choose(FullList);
        state.ResumeTiming();
        choose(AvailableGames);
    }
    state.counters["rows"] = w.form.games()->rowCount();
    choose(FullList);
}
BENCHMARK(BM_SwitchToAvailable)->Unit(benchmark::kMillisecond);

} // namespace

MainForm& gameListBenchWindow()
{
    return loadedWindow().form;
}

const QString& benchProgramDir()
{
    return catalogue().programDir;
}

GameListBenchScope::GameListBenchScope(const SyntheticCatalogue& catalogue)
{
    g_catalogue = &catalogue;
}

GameListBenchScope::~GameListBenchScope()
{
    g_window.reset();
    g_catalogue = nullptr;
}
