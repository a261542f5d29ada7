#include "catalogue/gamefinder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CatalogueEntry game(const char* name, const char* description, const char* year,
                    const char* manufacturer)
{
    CatalogueEntry entry;
    entry.name = QString::fromUtf8(name);
    entry.description = QString::fromUtf8(description);
    entry.year = QString::fromUtf8(year);
    entry.manufacturer = QString::fromUtf8(manufacturer);
    return entry;
}

const std::vector<CatalogueEntry> kGames = {
    game("galaxian", "Galaxian (Namco set 1)", "1979", "Namco"),
    game("galaga", "Galaga (Namco rev. B)", "1981", "Namco"),
    game("pokemini", "Pok\u00E9mon Mini", "2001", "Nintendo"),
    game("strasse", "Stra\u00DFe", "1990", "\uFF33\uFF25\uFF27\uFF21"), // full-width SEGA
    game("mspacman", "Ms. Pac-Man", "1981", "Midway"),
};

// The games of kGames, by short name, that hold every word typed.
QStringList found(const char* typed)
{
    FindIndex index;
    index.build(kGames);
    QStringList names;
    for (const int row : index.matching(findWords(QString::fromUtf8(typed))))
        names.append(kGames[static_cast<size_t>(row)].name);
    return names;
}

} // namespace

TEST(FindGames, everyWordTypedMustOccurInATextOfTheGame)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"galax", {"galaxian"}},
        {"GALA", {"galaxian", "galaga"}}, // letter case ignored
        {"namco 1981", {"galaga"}},       // maker and year
        {"1981   namco", {"galaga"}},     // any order, any blanks
        {"pokemon", {"pokemini"}},        // accents ignored
        {"POK\u00C9", {"pokemini"}},      // typed with an accent
        {"strasse sega", {"strasse"}},    // ß as ss, full-width letters
        {"mspac", {"mspacman"}},          // the short name
        {"pac-man", {"mspacman"}},        // punctuation as typed
        {"galaxian namco set 2", {}},     // one word missing
        {"co19", {}},                     // no word runs from one text into the next
        {"  ", {"galaxian", "galaga", "pokemini", "strasse", "mspacman"}}, // no words: all
    };
    for (const auto& [typed, names] : cases) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(found(typed), names);
    }
}

TEST(FindGames, narrowingLooksOnlyAmongTheRowsGivenAndFollowsAReorder)
{
    FindIndex index;
    index.build(kGames);
    const std::vector<int> within = {4, 1};
    EXPECT_EQ(index.matching(findWords(u"1981"), &within), (std::vector<int>{4, 1}));
    // Reversed: entry i was at 4 - i.
    index.reorder({4, 3, 2, 1, 0});
    EXPECT_EQ(index.matching(findWords(u"galax")), std::vector<int>{4});
}
