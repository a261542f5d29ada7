// How fast today's MAME's XML catalogue becomes the game list: 45,000 generated machines,
// written once to a file, converted from that file to another; and the whole update from
// MAME's pipe beside MAME alone.

#include "benchwindow.h"
#include "mame/listxml.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistrefresh.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

constexpr int kMachines = 45000;

// A machine as MAME 0.2xx prints one, with the kinds of lines that make up most of the real
// catalogue's bytes: ROMs, chips, a display, inputs and DIP switches.
void appendMachine(std::string& xml, int i, std::mt19937& random)
{
    // Built by appending: GCC 12 warns wrongly about a literal added to a temporary string.
    const std::string number = std::to_string(i);
    const bool bios = i % 600 == 0;
    const bool device = i % 9 == 0;
    const bool clone = !bios && !device && i % 3 == 1;
    xml.append("\t<machine name=\"m").append(number).append("\" sourcefile=\"src/drv");
    xml.append(std::to_string(i % 700)).append(".cpp\"");
    if (bios)
        xml.append(" isbios=\"yes\"");
    if (device)
        xml.append(" isdevice=\"yes\" runnable=\"no\"");
    if (clone) {
        const std::string parent = std::to_string(i - 1);
        xml.append(" cloneof=\"m")
            .append(parent)
            .append("\" romof=\"m")
            .append(parent)
            .append("\"");
    }
    xml.append(">\n\t\t<description>Machine ").append(number).append(" &amp; Friends (set ");
    xml.append(std::to_string(random() % 9)).append(")</description>\n");
    if (!device) {
        xml.append("\t\t<year>19").append(std::to_string(70 + random() % 30));
        xml.append("</year>\n\t\t<manufacturer>Maker ").append(std::to_string(random() % 400));
        xml.append("</manufacturer>\n");
    }
    const int roms = device ? 1 : 4 + int(random() % 20);
    for (int r = 0; r < roms; ++r) {
        xml.append("\t\t<rom name=\"m").append(number).append(".").append(std::to_string(r));
        xml.append("\" size=\"65536\" crc=\"").append(std::to_string(random()));
        xml.append("\" sha1=\"0123456789abcdef0123456789abcdef01234567\" region=\"maincpu\" "
                   "offset=\"0\"/>\n");
    }
    xml.append("\t\t<chip type=\"cpu\" tag=\"maincpu\" name=\"Zilog Z80\" clock=\"3072000\"/>\n"
               "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" "
               "height=\"224\" refresh=\"60.606061\"/>\n\t\t<input players=\"2\" coins=\"2\">\n"
               "\t\t\t<control type=\"joy\" player=\"1\" buttons=\"1\" ways=\"4\"/>\n"
               "\t\t</input>\n");
    for (int d = 0; d < 3; ++d)
        xml.append("\t\t<dipswitch name=\"Lives\" tag=\"DSW1\" mask=\"12\">\n"
                   "\t\t\t<diplocation name=\"SW1\" number=\"3\"/>\n"
                   "\t\t\t<dipvalue name=\"1\" value=\"0\"/>\n\t\t\t<dipvalue name=\"3\" "
                   "value=\"8\" default=\"yes\"/>\n\t\t</dipswitch>\n");
    if (!device) {
        xml.append("\t\t<driver status=\"").append(i % 5 ? "good" : "imperfect");
        xml.append("\" emulation=\"good\" savestate=\"supported\"/>\n");
    }
    xml.append("\t</machine>\n");
}

struct XmlCatalogue
{
    QTemporaryDir dir;
    QString path;
    qint64 bytes = 0;
};

XmlCatalogue& catalogue()
{
    static XmlCatalogue c = [] {
        XmlCatalogue made;
        made.path = made.dir.filePath(QStringLiteral("listxml.xml"));
        QFile file(made.path);
        if (!file.open(QIODevice::WriteOnly))
            return made;
        std::mt19937 random(20261207);
        std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n"
                          "]>\n\n<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n";
        for (int i = 0; i < kMachines; ++i) {
            appendMachine(xml, i, random);
            if (xml.size() > (1 << 20)) {
                file.write(xml.data(), qint64(xml.size()));
                xml.clear();
            }
        }
        xml += "</mame>\n";
        file.write(xml.data(), qint64(xml.size()));
        made.bytes = file.size();
        return made;
    }();
    return c;
}

void BM_ConvertListXml(benchmark::State& state)
{
    XmlCatalogue& xml = catalogue();
    if (xml.bytes == 0) {
        state.SkipWithError("the XML catalogue could not be written");
        return;
    }
    ListXmlConversion result;
    for (auto _ : state) {
        QFile in(xml.path);
        QFile out(xml.dir.filePath(QStringLiteral("Korvane.gam")));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
            state.SkipWithError("the files could not be opened");
            return;
        }
        result = convertListXml(in, out);
    }
    if (!result.ok) {
        state.SkipWithError("the conversion failed");
        return;
    }
    state.SetBytesProcessed(state.iterations() * xml.bytes);
    state.counters["input_MB"] = double(xml.bytes) / 1e6;
    state.counters["games"] = double(result.games);
    state.counters["resources"] = double(result.resources);
}

// A program directory whose MAME prints the catalogue for -listxml: the stand-in answering as
// today's MAME with the generated catalogue, or the program that KORVANE_BENCH_MAME names
// (the real MAME, measured by hand).
bool layOutUpdate(const QString& dir, const QString& xmlPath)
{
    QDir root(dir);
    const QString mame = root.filePath(QStringLiteral("MAME"));
    if (!root.mkpath(QStringLiteral("KvCfg")))
        return false;
    const QString real = qEnvironmentVariable("KORVANE_BENCH_MAME");
    if (!real.isEmpty())
        return QFile::link(real, mame);
    QFile version(root.filePath(QStringLiteral("standin-version.txt")));
    return QFile::copy(QStringLiteral(KORVANE_STANDIN_MAME), mame) &&
           QFile::setPermissions(mame, QFileDevice::ReadOwner | QFileDevice::ExeOwner) &&
           QFile::link(xmlPath, root.filePath(QStringLiteral("standin-listxml.xml"))) &&
           version.open(QIODevice::WriteOnly) && version.write("0.251 (unknown)\n") > 0;
}

// The whole update as the user waits for it (MAME's catalogue through the pipe, converted
// into the new list, the list put in place and loaded), beside MAME alone printing its
// catalogue into nothing, both in one run.
void BM_UpdateGamesList(benchmark::State& state)
{
    XmlCatalogue& xml = catalogue();
    QTemporaryDir dir;
    if (xml.bytes == 0 || !dir.isValid() || !layOutUpdate(dir.path(), xml.path)) {
        state.SkipWithError("the program directory could not be laid out");
        return;
    }
    BenchWindow window(dir.path());
    MainForm& form = window.form;

    double korvaneMs = 0;
    double mameMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        QProcess alone;
        alone.setWorkingDirectory(dir.path());
        timer.start();
        alone.start(QStringLiteral("sh"),
                    {QStringLiteral("-c"), QStringLiteral("./MAME -listxml > /dev/null")});
        alone.waitForFinished(-1);
        mameMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

        timer.start();
        form.refresh()->UpdateGamesMenu_Click();
        korvaneMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (window.messages.texts().last() != u"Game list updated!") {
            state.SkipWithError(qPrintable(window.messages.texts().last()));
            return;
        }
    }
    state.counters["games"] = form.games()->rowCount();
    state.counters["korvane_ms"] = korvaneMs;
    state.counters["listxml_alone_ms"] = mameMs;
    state.counters["ratio"] = korvaneMs / mameMs;
}

} // namespace

BENCHMARK(BM_ConvertListXml)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_UpdateGamesList)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
