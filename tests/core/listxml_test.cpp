#include "mame/listxml.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

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
		<rom name="sp-s2.sp1" merge="sp-s2.sp1" bios="euro" size="131072"/>
		<rom name="201-p1.p1" size="2097152"/>
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
		<rom name="pacman.6e" merge="pm1_prg1.6e" size="2048"/>
		<driver status="preliminary"/>
	</machine>
	<machine name="bosco" sourcefile="namco/bosco.cpp">
		<description>Bosconian</description>
		<rom name="bos.5n" status="nodump" size="512"/>
		<device_ref name="z80"/>
		<device_ref name="namco51"/>
		<driver status="good"/>
	</machine>
	<machine name="z80" sourcefile="cpu/z80.cpp" isdevice="yes" runnable="no">
		<description>Zilog Z80</description>
	</machine>
	<machine name="namco51" sourcefile="namco/namco51.cpp" isdevice="yes" runnable="no">
		<rom name="51xx.bin" size="1024"/>
	</machine>
	<machine name="notrun" sourcefile="x.cpp" runnable="no">
		<description>Cannot run</description>
	</machine>
</mame>
)xml";

// A machine without a year or a maker says so, so that the reader carries nothing over from
// the BIOS block before it. One rom line says what a game needs: a file of its own, one merged
// from its parent, or (bosco, whose only file was never dumped) a device's, which MAME lists
// after the games.
const char* const kGameList = "resource (\n\tname neogeo\n\tdescription \"Neo-Geo MV-6F\"\n"
                              "\tyear 1990\n\tmanufacturer \"SNK\"\n)\n\n"
                              "game (\n\tname mslug\n\tdescription \"Metal Slug - Super "
                              "Vehicle-001 & \"Friends\" \xc3\xa9\xe2\x80\xa2\"\n\tyear ?\n"
                              "\tmanufacturer \"?\"\n\tromof neogeo\n\trom ( name 201-p1.p1 )\n"
                              "\tdriver ( status imperfect )\n)\n\n"
                              "game (\n\tname puckman\n\tdescription \"PuckMan (Japan set 1)\"\n"
                              "\tyear 1980\n\tmanufacturer \"Namco\"\n\trom ( name pm1_prg1.6e )\n"
                              "\tdriver ( status good )\n)\n\n"
                              "game (\n\tname pacman\n\tdescription \"Pac-Man <Midway> &bogus; "
                              "&#0; &#xD800;\"\n\tyear 19??\n\tmanufacturer \"Namco (Midway "
                              "license)\"\n\tcloneof puckman\n\tromof puckman\n"
                              "\trom ( name pacman.6e merge pm1_prg1.6e )\n"
                              "\tdriver ( status preliminary )\n)\n\n"
                              "game (\n\tname bosco\n\tdescription \"Bosconian\"\n\tyear ?\n"
                              "\tmanufacturer \"?\"\n\trom ( name namco51 )\n"
                              "\tdriver ( status good )\n)\n\n";

QByteArray convert(const QByteArray& xml, ListXmlConversion* result)
{
    QBuffer in;
    in.setData(xml);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    *result = convertListXml(in, out);
    return out.data();
}

// The catalogue fed in pieces of size bytes, the last one shorter.
QByteArray convertInPieces(const QByteArray& xml, qsizetype size, ListXmlConversion* result)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ListXmlConverter converter(out);
    for (qsizetype at = 0; at < xml.size(); at += size)
        EXPECT_TRUE(
            converter.feed(QByteArrayView(xml).sliced(at, std::min(size, xml.size() - at))));
    *result = converter.finish();
    return out.data();
}

// A pipe hands MAME's output over in pieces of any size: every tag, entity and text of the
// catalogue lies across a cut in one of these, and the list must not change.
TEST(ListXml, machinesBecomeBlocksOfTheGameListWhereverTheChunksAreCut)
{
    ListXmlConversion whole;
    EXPECT_EQ(convert(kCatalogue, &whole).toStdString(), kGameList);
    EXPECT_TRUE(whole.ok) << whole.error.toStdString();
    EXPECT_EQ(whole.games, 4);
    EXPECT_EQ(whole.resources, 1);
    for (qsizetype size = 1; size <= kCatalogue.size(); ++size) {
        SCOPED_TRACE(size);
        ListXmlConversion result;
        EXPECT_EQ(convertInPieces(kCatalogue, size, &result).toStdString(), kGameList);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.games, 4);
    }
}

// A catalogue of the given machines, under a DTD that declares entities of its own, the
// last of which would grow to a billion "lol"s if it were expanded.
QByteArray catalogueOf(const char* machines)
{
    QByteArray xml = R"(<?xml version="1.0"?>
<!DOCTYPE mame [
<!ENTITY x "expanded">
<!ENTITY lol "lol">
)";
    for (int level = 1; level <= 9; ++level) {
        xml += "<!ENTITY lol" + QByteArray::number(level) + " \"";
        for (int i = 0; i < 10; ++i)
            xml += level == 1 ? QByteArray("&lol;") : "&lol" + QByteArray::number(level - 1) + ';';
        xml += "\">\n";
    }
    return xml + "]>\n<mame build=\"0.251\">\n" + machines + "\n</mame>\n";
}

TEST(ListXml, eachMachineStaysOneBlockWhateverTheXmlHolds)
{
    const struct
    {
        const char* what;
        const char* machines;
        const char* list;
    } cases[] = {
        {"control characters, raw or referenced, are blanks",
         "<machine name=\"ctl\"><description>Two&#10;lines&#13;&#9;tab\traw\r\nend&#x7F;\x01"
         "&#x85;\xc2\x85</description><year>19&#xA;80</year><manufacturer>A&#10;)&#10;game "
         "(</manufacturer>"
         "<driver status=\"go&#10;od\"/></machine>",
         "game (\n\tname ctl\n\tdescription \"Two lines  tab raw  end     \"\n\tyear 19 80\n"
         "\tmanufacturer \"A ) game (\"\n\tdriver ( status go od )\n)\n\n"},
        {"a name that is no set name leaves the machine out",
         "<machine name=\"-autoboot_script\"><description>Switch</description></machine>"
         "<machine name=\"pac man\"/></machine><machine name=\"a&#10;b\" isbios=\"yes\">"
         "</machine><machine name=\"\"></machine><machine><description>No name</description>"
         "</machine><machine name=\"ok_1-2\"></machine>",
         "game (\n\tname ok_1-2\n\tdescription \"\"\n\tyear ?\n\tmanufacturer \"?\"\n"
         "\tdriver ( status preliminary )\n)\n\n"},
        {"a bogus parent is no parent",
         "<machine name=\"kid\" cloneof=\"-x\" romof=\"a b\"></machine>"
         "<machine name=\"kid2\" cloneof=\"par&#10;\" romof=\"neogeo\"></machine>",
         "game (\n\tname kid\n\tdescription \"\"\n\tyear ?\n\tmanufacturer \"?\"\n"
         "\tdriver ( status preliminary )\n)\n\n"
         "game (\n\tname kid2\n\tdescription \"\"\n\tyear ?\n\tmanufacturer \"?\"\n"
         "\tromof neogeo\n\tdriver ( status preliminary )\n)\n\n"},
        {"entities the document declares stay as written",
         "<machine name=\"lol\"><description>&x; &lol9;&amp;</description>"
         "<manufacturer>&lol1;</manufacturer></machine>",
         "game (\n\tname lol\n\tdescription \"&x; &lol9;&\"\n\tyear ?\n"
         "\tmanufacturer \"&lol1;\"\n\tdriver ( status preliminary )\n)\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ListXmlConversion result;
        const QByteArray list = convert(catalogueOf(c.machines), &result);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(list.toStdString(), c.list);
        EXPECT_EQ(result.games, QByteArray(c.list).count("game (\n"));
    }
}

TEST(ListXml, anUnfinishedCatalogueIsNoCatalogue)
{
    for (const QByteArray& input :
         {kCatalogue.left(kCatalogue.indexOf("<machine name=\"z80\"")), QByteArray(),
          QByteArray("Error: unknown option: -listxml\n")}) {
        ListXmlConversion result;
        convert(input, &result);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.isEmpty());
    }

    // A piece longer than any of MAME's fails the conversion rather than be held, fed whole
    // or in chunks.
    QByteArray tooLong = catalogueOf("<machine name=\"big\"><description>");
    tooLong.insert(tooLong.indexOf("<description>") + 13, (64 << 20) + 1, 'x');
    ListXmlConversion chunked;
    convert(tooLong, &chunked);
    EXPECT_FALSE(chunked.ok);
    EXPECT_TRUE(chunked.error.contains(u"64 MiB")) << chunked.error.toStdString();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ListXmlConverter whole(out);
    EXPECT_FALSE(whole.feed(tooLong));
    EXPECT_EQ(whole.finish().error, chunked.error);

    // Nowhere to write to.
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    ListXmlConverter unwritable(readOnly);
    unwritable.feed(kCatalogue);
    const ListXmlConversion result = unwritable.finish();
    EXPECT_TRUE(!result.ok && !result.error.isEmpty());
}

} // namespace
