#pragma once

#include <QStringView>

#include <array>

// The columns of the game list, in order: key, header text and standard width in twips.
// Every load puts the widths back to these.
struct GameColumn
{
    QStringView key;
    QStringView header;
    int widthTwips;
};

enum GameColumnIndex : int
{
    DescriptionColumn = 0,
    YearColumn = 1,
    CloneofColumn = 2,
    NameColumn = 3,
    ManufacturerColumn = 4,
};

inline constexpr std::array<GameColumn, 5> kGameColumns{{
    {u"Description", u"Game", 3000},
    {u"Year", u"Year", 480},
    {u"Cloneof", u"Clone of", 960},
    {u"Name", u"Name", 960},
    {u"Manufacturer", u"Manufacturer", 1200},
}};
