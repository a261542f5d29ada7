#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>

// A game block of a -listinfo text, CR LF ended.
inline QByteArray gameBlock(const char* name, const char* description, const char* year,
                            const char* cloneof, const char* romof, const char* status,
                            const char* manufacturer = "Maker")
{
    QByteArray block = QByteArray("game (\r\n\tname ") + name + "\r\n\tdescription \"" +
                       description + "\"\r\n\tyear " + year + "\r\n\tmanufacturer \"" +
                       manufacturer + "\"\r\n";
    if (cloneof)
        block += QByteArray("\tcloneof ") + cloneof + "\r\n";
    if (romof)
        block += QByteArray("\tromof ") + romof + "\r\n";
    block += "\trom ( name a.1 size 1 crc 0 )\r\n";
    block += QByteArray("\tdriver ( status ") + status + " color good )\r\n)\r\n\r\n";
    return block;
}

// Games of 1980 with good drivers, each described by its name.
inline QByteArray goodGames(std::initializer_list<const char*> names)
{
    QByteArray blocks;
    for (const char* name : names)
        blocks += gameBlock(name, name, "1980", nullptr, nullptr, "good");
    return blocks;
}
