#include "catalogue/gamelistreader.h"
#include "catalogue/listxml.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Hands the bytes over a few at a time, as a pipe may: every tag and text of the catalogue
// then lies across two reads somewhere.
class TrickleDevice final : public QIODevice
{
public:
    explicit TrickleDevice(QByteArray bytes)
        : m_bytes(std::move(bytes))
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min<qint64>({maxSize, 7, m_bytes.size() - m_at});
        std::copy_n(m_bytes.constData() + m_at, n, data);
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};

const QByteArray kCatalogue = R"xml(<?xml version="1.0"?>
<!DOCTYPE mame [
<!ELEMENT mame (machine+)>
	<!ATTLIST mame build CDATA #IMPLIED>
<!ELEMENT machine (description, year?, manufacturer?, rom*, driver?)>
	<!ATTLIST machine isbios (yes|no) "no">
]>

<mame build="0.251 (unknown)" debug="no" mameconfig="10">
	<machine name="neogeo" sourcefile="neogeo/neogeo.cpp" isbios="yes">
		<description>Neo-Geo MV-6F</description>
		<year>1990</year>
		<manufacturer>SNK</manufacturer>
		<rom name="sp-s2.sp1" size="131072" crc="9036d879"/>
		<driver status="good" emulation="good" savestate="supported"/>
	</machine>
	<machine name="mslug" sourcefile="neogeo/neogeo.cpp" romof="neogeo">
		<description>Metal Slug - Super Vehicle-001 &amp; &quot;Friends&quot; &#233;&#x2022;</description>
		<driver status="imperfect"/>
	</machine>
	<machine name="puckman" sourcefile="pacman/pacman.cpp">
		<description>PuckMan (Japan set 1)</description>
		<year>1980</year>
		<manufacturer>Namco</manufacturer>
		<rom name="pm1_prg1.6e" size="2048" crc="f36e88ab"/>
		<dipswitch name="Coinage" tag="DSW1" mask="3"><dipvalue name="Free Play" value="0"/></dipswitch>
		<driver status="good" emulation="good"/>
	</machine>
	<machine name="pacman" sourcefile="pacman/pacman.cpp" cloneof="puckman" romof="puckman">
		<description>Pac-Man &lt;Midway&gt; &bogus; &#0; &#xD800;</description>
		<year>19??</year>
		<manufacturer>Namco (Midway license)</manufacturer>
		<driver status="preliminary"/>
	</machine>
	<machine name="z80" sourcefile="cpu/z80.cpp" isdevice="yes" runnable="no">
		<description>Zilog Z80</description>
	</machine>
	<machine name="notrun" sourcefile="x.cpp" runnable="no">
		<description>Cannot run</description>
	</machine>
</mame>
)xml";

const char* const kGameList = "resource (\n\tname neogeo\n\tdescription \"Neo-Geo MV-6F\"\n"
                              "\tyear 1990\n\tmanufacturer \"SNK\"\n)\n\n"
                              "game (\n\tname mslug\n\tdescription \"Metal Slug - Super "
                              "Vehicle-001 & \"Friends\" \xc3\xa9\xe2\x80\xa2\"\n\tyear ?\n"
                              "\tmanufacturer \"?\"\n\tromof neogeo\n"
                              "\tdriver ( status imperfect )\n)\n\n"
                              "game (\n\tname puckman\n\tdescription \"PuckMan (Japan set 1)\"\n"
                              "\tyear 1980\n\tmanufacturer \"Namco\"\n"
                              "\tdriver ( status good )\n)\n\n"
                              "game (\n\tname pacman\n\tdescription \"Pac-Man <Midway> &bogus; "
                              "&#0; &#xD800;\"\n\tyear 19??\n\tmanufacturer \"Namco (Midway "
                              "license)\"\n\tcloneof puckman\n\tromof puckman\n"
                              "\tdriver ( status preliminary )\n)\n\n";

QByteArray convert(QIODevice& in, ListXmlConversion* result)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    *result = convertListXml(in, out);
    return out.data();
}

TEST(ListXml, machinesBecomeBlocksOfTheGameList)
{
    for (const bool trickle : {false, true}) {
        SCOPED_TRACE(trickle ? "a few bytes a read" : "whole");
        QBuffer whole;
        whole.setData(kCatalogue);
        whole.open(QIODevice::ReadOnly);
        TrickleDevice pieces(kCatalogue);
        ListXmlConversion result;
        const QByteArray list = convert(trickle ? static_cast<QIODevice&>(pieces) : whole, &result);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.games, 3);
        EXPECT_EQ(result.resources, 1);
        EXPECT_EQ(list.toStdString(), kGameList);
    }

    // The reader takes what was written: nothing carries over from the BIOS block.
    QByteArray bytes(kGameList);
    QBuffer list(&bytes);
    list.open(QIODevice::ReadOnly);
    std::vector<std::string> games;
    ReadGameList(list, [&games](CatalogueEntry&& e) {
        const QString line = e.name + u'|' + e.year + u'|' + e.manufacturer + u'|' + e.cloneof +
                             u'|' + imageKeyText(e.imageKey);
        games.push_back(line.toStdString());
    });
    EXPECT_EQ(games,
              (std::vector<std::string>{"mslug|?|?|?|BADROM", "puckman|1980|Namco|?|ROM",
                                        "pacman|19??|Namco (Midway license)|puckman|BADROM"}));
}

TEST(ListXml, anUnfinishedCatalogueIsNoCatalogue)
{
    for (const QByteArray& input :
         {kCatalogue.left(kCatalogue.indexOf("<machine name=\"z80\"")), QByteArray(),
          QByteArray("Error: unknown option: -listxml\n")}) {
        QBuffer in;
        in.setData(input);
        in.open(QIODevice::ReadOnly);
        ListXmlConversion result;
        convert(in, &result);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.isEmpty());
    }
}

} // namespace
