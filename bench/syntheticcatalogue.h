#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// A generated game list file in MAME's -listinfo form, placed where the program looks for
// it: <programDir>/KvCfg/Korvane.gam. Every name in it is invented.
struct SyntheticCatalogue
{
    QString programDir;
    QString path;
    qint64 bytes = 0;
    int games = 0; // game blocks; the BIOS sets are not counted
    int clones = 0;
    int neoGeo = 0; // games with "romof neogeo"
    int preliminary = 0;
    int biosSets = 0; // resource blocks
};

// Writes gameCount games under programDir. The same seed writes the same bytes, whatever the
// machine. Nothing when the file cannot be written.
std::optional<SyntheticCatalogue> writeSyntheticCatalogue(const QString& programDir, int gameCount,
                                                          std::uint64_t seed);
