#include "catalogue/listtype.h"

#include "options/valuetext.h"
#include "platform/settingsstore.h"

#include <array>

QString listTypeName(int index)
{
    static const std::array<QString, kListTypeCount> names{
        QStringLiteral("Full list"),
        QStringLiteral("All except clones"),
        QStringLiteral("All except NEO\u2022GEO"),
        QStringLiteral("Only NEO\u2022GEO"),
        QStringLiteral("Home hacks"),
        QStringLiteral("Only good drivers"),
        QStringLiteral("Only prelim drivers"),
        QStringLiteral("Available games"),
        QStringLiteral("Favorites"),
        QStringLiteral("Recently played"),
    };
    if (index < 0 || index >= kListTypeCount)
        return {};
    return names[static_cast<size_t>(index)];
}

bool listTypeAdmits(int index, const CatalogueEntry& entry)
{
    static const QString neogeo = QStringLiteral("neogeo");
    switch (index) {
    case AllExceptClones:
        return entry.cloneof == absentValue();
    case AllExceptNeoGeo:
        return entry.romof != neogeo;
    case OnlyNeoGeo:
        return entry.romof == neogeo;
    case OnlyGoodDrivers:
        return entry.imageKey == ImageKey::Rom;
    case OnlyPrelimDrivers:
        return entry.imageKey == ImageKey::BadRom;
    case AvailableGames:
        return entry.available;
    default: // FullList, HomeHacks, the user's own lists, or nothing selected
        return true;
    }
}

int restoredListType(const SettingsStore& settings)
{
    const QString stored =
        settings.read(QStringLiteral("Games"), QStringLiteral("ListType"), QStringLiteral("0"));
    return static_cast<int>(valuetext::wholeNumber(stored, 0, kListTypeCount - 1).value_or(0));
}
