#include "syntheticcatalogue.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

// splitmix64: a few lines, and the same sequence with every compiler and standard library,
// which the std distributions do not promise.
class Prng
{
public:
    explicit Prng(std::uint64_t seed)
        : m_state(seed)
    {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A number in [0, n).
    int below(int n)
    {
        return static_cast<int>(((next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool perMille(int chance) { return below(1000) < chance; }

    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N])
    {
        return items[below(static_cast<int>(N))];
    }

private:
    std::uint64_t m_state;
};

// Short names are built from consonant-vowel syllables, so they can be said but name nothing.
constexpr std::string_view kConsonants = "bdfgklmnprstvz";
constexpr std::string_view kVowels = "aeiou";
constexpr std::string_view kAdjectives[] = {
    "Astral",  "Burning", "Crimson", "Double", "Electric", "Frozen", "Galactic", "Hyper",
    "Iron",    "Jumping", "Killer",  "Lunar",  "Mighty",   "Neon",   "Omega",    "Phantom",
    "Quantum", "Rapid",   "Silent",  "Turbo",  "Ultra",    "Vapor",  "Wild",     "Zero",
};
constexpr std::string_view kNouns[] = {
    "Raiders", "Blaster", "Hammer",  "Circuit", "Dragon",   "Fighter", "Gauntlet", "Harbor",
    "Invader", "Jungle",  "Knights", "Lancer",  "Maze",     "Ninja",   "Outpost",  "Patrol",
    "Quest",   "Racer",   "Squad",   "Tower",   "Uprising", "Vortex",  "Warrior",  "Zone",
};
constexpr std::string_view kSequels[] = {" II", " III", " 2", " Turbo", " '88", " Deluxe", " Plus"};
constexpr std::string_view kVariants[] = {
    "set 2", "Japan", "US", "bootleg", "World, rev A", "prototype", "Europe, set 3", "Asia",
};
// Two of them are not ASCII, so the file is read as UTF-8 with multi-byte characters in it.
constexpr std::string_view kManufacturers[] = {
    "Hikari Works",
    "Kelvin Games",
    "Tessera",
    "Brightfall",
    "Orbis Denshi",
    "Marlow Amusement",
    "Quasar Labs",
    "Nimbus Soft",
    "Red Kite",
    "Sunward",
    "Velda Corp.",
    "Zenith Plays",
    "Copperline",
    "Arcturus",
    "Pollux Systems",
    "K\xC5\x8Dgy\xC5\x8D Denki",
    "Estrella M\xC3\xA9xico",
    "Blue Heron",
};
constexpr std::string_view kNeoGeoMakers[] = {"Hikari Works", "Sunward", "Nimbus Soft", "Arcturus"};
constexpr std::string_view kRegions[] = {"cpu1", "cpu1", "cpu2",   "gfx1",
                                         "gfx1", "gfx2", "sound1", "proms"};
constexpr std::string_view kStatusText[] = {"good", "imperfect", "preliminary"};

struct Parent
{
    std::string name;
    std::string description;
    std::string year;
    std::string manufacturer;
    int number; // the part number on its ROM names
    bool neoGeo;
};

class CatalogueWriter
{
public:
    explicit CatalogueWriter(std::uint64_t seed, std::size_t expectedBytes)
        : m_rng(seed)
    {
        m_text.reserve(expectedBytes);
    }

    void biosSet(std::string_view name, std::string_view description)
    {
        line({"resource ("});
        line({"\tname ", name});
        line({"\tdescription \"", description, "\""});
        line({"\tyear ", std::to_string(m_rng.between(1985, 1999))});
        line({"\tmanufacturer \"", m_rng.pick(kManufacturers), "\""});
        for (int i = 0; i < 3; ++i)
            romLine(name, i, false);
        line({")"});
        line({});
        ++m_counts.biosSets;
    }

    void game()
    {
        const int roll = m_rng.below(1000);
        if (roll < 80)
            parent(true);
        else if (roll < 80 + 340 && !m_recent.empty())
            clone(
                m_recent[static_cast<std::size_t>(m_rng.below(static_cast<int>(m_recent.size())))]);
        else
            parent(false);
    }

    const std::string& text() const { return m_text; }
    const SyntheticCatalogue& counts() const { return m_counts; }

private:
    void parent(bool neoGeo)
    {
        Parent p;
        p.name = uniqueName(stem());
        p.description = title();
        p.year = m_rng.perMille(30) ? std::string(m_rng.perMille(500) ? "19??" : "198?")
                                    : std::to_string(m_rng.between(1975, 2008));
        p.manufacturer =
            std::string(neoGeo ? m_rng.pick(kNeoGeoMakers) : m_rng.pick(kManufacturers));
        p.number = m_rng.between(1, 999);
        p.neoGeo = neoGeo;
        block(p.name, p.description, p.year, p.manufacturer, {}, neoGeo ? "neogeo" : "", p);
        if (neoGeo)
            ++m_counts.neoGeo;
        // Clones pick a parent among the last few, as MAME's lists keep a family together.
        if (m_recent.size() == 8)
            m_recent.erase(m_recent.begin());
        m_recent.push_back(std::move(p));
    }

    void clone(const Parent& p)
    {
        const std::string name = uniqueName(p.name.substr(0, 7));
        const std::string description =
            p.description + " (" + std::string(m_rng.pick(kVariants)) + ")";
        const std::string year = m_rng.perMille(300) && p.year.find('?') == std::string::npos
                                     ? std::to_string(std::stoi(p.year) + 1)
                                     : p.year;
        const std::string manufacturer = m_rng.perMille(250) ? "bootleg" : p.manufacturer;
        block(name, description, year, manufacturer, p.name, p.name, p);
        ++m_counts.clones;
    }

    void block(std::string_view name, std::string_view description, std::string_view year,
               std::string_view manufacturer, std::string_view cloneof, std::string_view romof,
               const Parent& family)
    {
        line({"game ("});
        line({"\tname ", name});
        line({"\tdescription \"", description, "\""});
        line({"\tyear ", year});
        line({"\tmanufacturer \"", manufacturer, "\""});
        if (!cloneof.empty())
            line({"\tcloneof ", cloneof});
        if (!romof.empty())
            line({"\tromof ", romof});
        const int roms = m_rng.between(8, 12);
        for (int i = 0; i < roms; ++i)
            romLine(family.neoGeo ? std::to_string(family.number) : name.substr(0, 4), i,
                    family.neoGeo);
        const int roll = m_rng.below(1000);
        const int status = roll < 200 ? 2 : roll < 320 ? 1 : 0;
        line({"\tdriver ( status ", kStatusText[status], " color good sound good )"});
        line({")"});
        line({});
        if (status == 2)
            ++m_counts.preliminary;
        ++m_counts.games;
    }

    void romLine(std::string_view prefix, int index, bool neoGeo)
    {
        // "214-p1.p1" on a Neo-Geo board, "zork3.e7" elsewhere.
        const std::string number = std::to_string(index + 1);
        std::string romName(prefix);
        if (neoGeo) {
            static constexpr char kParts[] = "pmvsc";
            const char part = kParts[std::min(index, 4)];
            romName.push_back('-');
            romName.push_back(part);
            romName.append(number);
            romName.push_back('.');
            romName.push_back(part);
            romName.append(number);
        } else {
            romName.append(number);
            romName.push_back('.');
            romName.push_back(static_cast<char>('a' + m_rng.below(8)));
            romName.push_back(static_cast<char>('1' + m_rng.below(9)));
        }
        const std::string_view region =
            kRegions[static_cast<std::size_t>(index) % std::size(kRegions)];
        const int size = 1 << m_rng.between(neoGeo ? 17 : 11, neoGeo ? 22 : 16);
        // Offsets run on within a region and start again at a new one.
        if (index == 0 || region != m_lastRegion)
            m_offset = 0;
        m_lastRegion = region;
        line({"\trom ( name ", romName, " size ", std::to_string(size), " crc ",
              hex(static_cast<std::uint32_t>(m_rng.next()), 8), " region ", region, " offs ",
              hex(m_offset, 0), " )"});
        m_offset += static_cast<std::uint32_t>(size);
    }

    std::string stem()
    {
        auto letter = [this](std::string_view from) {
            return from[static_cast<std::size_t>(m_rng.below(static_cast<int>(from.size())))];
        };
        std::string s;
        const int syllables = m_rng.perMille(750) ? 3 : 2;
        for (int i = 0; i < syllables; ++i) {
            s += letter(kConsonants);
            s += letter(kVowels);
        }
        if (syllables == 2)
            s += letter(kConsonants);
        return s;
    }

    std::string title()
    {
        std::string t;
        if (m_rng.perMille(150))
            t = "The ";
        t += m_rng.pick(kAdjectives);
        t += ' ';
        t += m_rng.pick(kNouns);
        if (m_rng.perMille(250))
            t += m_rng.pick(kSequels);
        return t;
    }

    // base, or base with one character added, or failing both, two more: MAME's names stay
    // within eight characters for most games.
    std::string uniqueName(const std::string& base)
    {
        if (m_names.insert(base).second)
            return base;
        for (char c = 'a'; c <= 'z'; ++c) {
            std::string name = base + c;
            if (m_names.insert(name).second)
                return name;
        }
        for (;;) {
            std::string name = base + static_cast<char>('0' + m_rng.below(10)) +
                               static_cast<char>('a' + m_rng.below(26));
            if (m_names.insert(name).second)
                return name;
        }
    }

    static std::string hex(std::uint32_t value, int width)
    {
        char digits[8];
        const auto [end, ec] = std::to_chars(std::begin(digits), std::end(digits), value, 16);
        std::string s(digits, end);
        if (static_cast<int>(s.size()) < width)
            s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
        return s;
    }

    void line(std::initializer_list<std::string_view> parts)
    {
        for (std::string_view part : parts)
            m_text += part;
        m_text += "\r\n";
    }

    Prng m_rng;
    std::string m_text;
    SyntheticCatalogue m_counts;
    std::unordered_set<std::string> m_names;
    std::vector<Parent> m_recent;
    std::string_view m_lastRegion;
    std::uint32_t m_offset = 0;
};

} // namespace

std::optional<SyntheticCatalogue> writeSyntheticCatalogue(const QString& programDir, int gameCount,
                                                          std::uint64_t seed)
{
    CatalogueWriter writer(seed, static_cast<std::size_t>(gameCount) * 900 + 4096);
    // The Neo-Geo BIOS comes first; the others sit within the list, as in MAME's.
    writer.biosSet("neogeo", "Neo-Geo MV-6 BIOS");
    const std::pair<int, std::pair<std::string_view, std::string_view>> laterBios[] = {
        {gameCount / 4, {"hexbios", "Hexa System BIOS"}},
        {gameCount / 2, {"orbbios", "Orbis Board BIOS (v1.2)"}},
        {gameCount * 3 / 4, {"stelbios", "Stellar-16 BIOS"}},
    };
    for (int i = 0; i < gameCount; ++i) {
        for (const auto& [at, bios] : laterBios) {
            if (at == i)
                writer.biosSet(bios.first, bios.second);
        }
        writer.game();
    }

    SyntheticCatalogue result = writer.counts();
    result.programDir = programDir;
    result.path = QDir(programDir).filePath(QStringLiteral("KvCfg/Korvane.gam"));
    if (!QDir(programDir).mkpath(QStringLiteral("KvCfg")))
        return std::nullopt;
    QFile file(result.path);
    const std::string& text = writer.text();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.flush())
        return std::nullopt;
    result.bytes = static_cast<qint64>(text.size());
    return result;
}
