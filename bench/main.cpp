#include "gamelistbench.h"
#include "syntheticcatalogue.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kGameCount = 45000;
constexpr std::uint64_t kSeed = 0x4B6F7276616E65ULL;

} // namespace

int main(int argc, char* argv[])
{
    // The window is built but never needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir programDir;
    if (!programDir.isValid()) {
        std::fprintf(stderr, "korvane_bench: no temporary directory: %s\n",
                     qPrintable(programDir.errorString()));
        return 1;
    }
    const std::optional<SyntheticCatalogue> catalogue =
        writeSyntheticCatalogue(programDir.path(), kGameCount, kSeed);
    if (!catalogue) {
        std::fprintf(stderr, "korvane_bench: the catalogue could not be written in %s\n",
                     qPrintable(programDir.path()));
        return 1;
    }
    std::printf("Catalogue %s: %lld bytes (%.1f MB), %d games: %d clones, %d Neo-Geo, "
                "%d preliminary; %d BIOS sets\n",
                qPrintable(catalogue->path), static_cast<long long>(catalogue->bytes),
                static_cast<double>(catalogue->bytes) / 1e6, catalogue->games, catalogue->clones,
                catalogue->neoGeo, catalogue->preliminary, catalogue->biosSets);
    std::fflush(stdout);

    GameListBenchScope scope(*catalogue);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
