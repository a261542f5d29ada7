// standin_test.cpp: the stand-in MAME's answers that the other suites, the benchmarks and the
// demo rely on. Its log, its control files and its crash are pinned where they are used.

#include "testfiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// The stand-in copied into a directory of its own, started from a different working
// directory: it must answer from beside itself, not from where it was started.
class StandinTest : public ::testing::Test
{
protected:
    void SetUp() override { testfiles::installStandin(path("MAME")); }

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    void write(const char* name, const QByteArray& content = {}) const
    {
        testfiles::write(path(name), content);
    }

    // The exit code and the standard output of a run with the arguments split at blanks.
    std::pair<int, std::string> run(const char* args) const
    {
        QProcess process;
        process.setWorkingDirectory(m_elsewhere.path());
        process.start(path("MAME"), QString::fromUtf8(args).split(u' '));
        if (!process.waitForFinished(10'000) || process.exitStatus() != QProcess::NormalExit)
            return {-1, {}};
        return {process.exitCode(), process.readAllStandardOutput().toStdString()};
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_elsewhere;
};

TEST_F(StandinTest, TheClassicMameVerifiesRecordsAndListsItsCatalogue)
{
    write("roms/zipped.zip", "PK");
    write("roms/pacman.bad", "pm1.6e\n\nprg2.longer.name\r\n");
    const struct
    {
        const char* args;
        int exitCode;
        std::string out;
    } cases[] = {
        {"zipped -verifyroms", 0, "1 romsets found, 1 were OK.\n"},
        {"pacman -verifyroms", 2,
         "pacman  : pm1.6e          2048 bytes 00000000 NOT FOUND\n"
         "pacman  : prg2.longer.name 2048 bytes 00000000 NOT FOUND\n"
         "romset pacman is bad\n1 romsets found, 0 were OK.\n"},
        {"-version", 0, ""}, // means nothing to the classic MAME
    };
    for (const auto& c : cases)
        EXPECT_EQ(run(c.args), std::pair(c.exitCode, c.out)) << c.args;

    write("INP/other.INP");
    EXPECT_EQ(run("pacman -record take").first, 0);
    EXPECT_EQ(testfiles::read(path("INP/take.INP")).count("\ngame pacman\n"), 1);

    // Four games, one a clone and one preliminary, and a resource block.
    const std::string builtIn = run("-listinfo").second;
    EXPECT_EQ(QByteArray::fromStdString(builtIn).count("game (\n"), 4) << builtIn;
    for (const char* line : {"game (\n\tname glimwart\n", "\n\tcloneof glimwart\n",
                             "\n\tdriver ( status preliminary ", "\nresource (\n"})
        EXPECT_NE(builtIn.find(line), std::string::npos) << line;
    write("standin-listinfo.txt", "game (\r\n\tname mine\r\n)\r\n");
    EXPECT_EQ(run("-listinfo"), std::pair(0, std::string("game (\r\n\tname mine\r\n)\r\n")));
}

// Its catalogue, built in or from standin-listxml.xml, is pinned by the update's window
// tests; what it calls its version is what makes the benchmark's update take the XML road.
// It verifies as MAME 0.251 does: every set of its roms, in the order of their names, or those
// named.
TEST_F(StandinTest, TodaysMameTellsItsVersionAndVerifiesSets)
{
    write("standin-version.txt", "0.251 (unknown)\n");
    EXPECT_EQ(run("-version"), std::pair(0, std::string("0.251 (unknown)\n")));
    write("roms/pong.zip", "PK");
    write("roms/pacman.bad", "pm1.6e");
    EXPECT_EQ(run("-verifyroms"), std::pair(2, std::string("pacman      : pm1.6e (2048 bytes) - "
                                                           "NOT FOUND\nromset pacman is bad\n"
                                                           "romset pong is good\n"
                                                           "2 romsets found, 1 were OK.\n")));
    EXPECT_EQ(run("-verifyroms pong nosuch"),
              std::pair(0, std::string("romset pong is good\n1 romsets found, 1 were OK.\n")));
}

} // namespace
