#pragma once

#include <QString>

#include <cstdint>

// The icon key of a catalogue entry, which doubles as its driver-quality flag.
enum class ImageKey : std::uint8_t
{
    Rom,    // "ROM": the driver status begins with "good"
    BadRom, // "BADROM": any other driver status
};

inline QString imageKeyText(ImageKey key)
{
    return key == ImageKey::Rom ? QStringLiteral("ROM") : QStringLiteral("BADROM");
}

// "?" marks an absent value throughout the catalogue; filters compare against it exactly.
inline QString absentValue()
{
    static const QString question = QStringLiteral("?");
    return question;
}

// What a game needs of the ROM folders, as its block's rom lines say: files of its own (or
// some of them), only files merged from its parent's set, or no file at all.
enum class RomNeeds : std::uint8_t
{
    Nothing,
    ParentFiles,
    OwnFiles,
};

// One game block of a game list file, and one row of the game list.
struct CatalogueEntry
{
    QString name = absentValue();        // short name: the ROM set MAME is started with
    QString description = absentValue(); // full title, without its quotes
    QString year = absentValue();
    QString cloneof = absentValue();      // parent game's short name
    QString romof = absentValue();        // ROM set this game also takes ROMs from
    QString manufacturer = absentValue(); // without its quotes
    ImageKey imageKey = ImageKey::BadRom;
    RomNeeds roms = RomNeeds::Nothing;
    // Whether MAME finds what the game needs in the ROM folders now. It is the folders' state,
    // not the catalogue's, so it is no part of the game's identity.
    bool available = true;

    friend bool operator==(const CatalogueEntry& a, const CatalogueEntry& b)
    {
        return a.name == b.name && a.description == b.description && a.year == b.year &&
               a.cloneof == b.cloneof && a.romof == b.romof && a.manufacturer == b.manufacturer &&
               a.imageKey == b.imageKey && a.roms == b.roms;
    }
};
