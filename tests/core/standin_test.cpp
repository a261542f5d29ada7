// standin_test.cpp: the stand-in MAME's answers, which the tests and the demo rely on.

#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Outcome
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The stand-in copied into a directory of its own, started from a different working
// directory: it must answer from beside itself, not from where it was started.
class StandinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_elsewhere.isValid());
        testfiles::installStandin(path("MAME"));
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("roms")));
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    void write(const char* name, const QByteArray& content) const
    {
        testfiles::write(path(name), content);
    }

    Outcome run(const QStringList& args) const
    {
        QProcess process;
        process.setWorkingDirectory(m_elsewhere.path());
        process.start(path("MAME"), args);
        Outcome result;
        if (!process.waitForFinished(10'000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = process.exitCode();
        result.out = process.readAllStandardOutput().toStdString();
        result.err = process.readAllStandardError().toStdString();
        return result;
    }
    Outcome run(const char* args) const { return run(QString::fromUtf8(args).split(u' ')); }

    struct Case
    {
        const char* what;
        const char* args; // split at blanks
        int exitCode;
        std::string out;
        std::string err = {};
    };

    void expectAnswers(const std::vector<Case>& cases) const
    {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            const Outcome result = run(c.args);
            EXPECT_EQ(result.exitCode, c.exitCode);
            EXPECT_EQ(result.out, c.out);
            EXPECT_EQ(result.err, c.err);
        }
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_elsewhere;
};

TEST_F(StandinTest, VerifyRomsAnswersGoodBadAndNotFound)
{
    write("roms/zipped.zip", "PK");
    ASSERT_TRUE(QDir(path("roms")).mkdir(QStringLiteral("unzipped")));
    write("roms/pacman.bad", "pm1.6e\n\nprg2.longer.name\r\n");
    write("roms/blank.bad", "");

    expectAnswers({
        {"zip", "zipped -verifyroms", 0, "1 romsets found, 1 were OK.\n"},
        {"directory", "unzipped -verifyroms", 0, "1 romsets found, 1 were OK.\n"},
        {"bad, named ROMs", "pacman -verifyroms", 2,
         "pacman  : pm1.6e          2048 bytes ee5ef3d0 NOT FOUND\n"
         "pacman  : prg2.longer.name 2048 bytes 5ae3f8de NOT FOUND\n"
         "romset pacman is bad\n"
         "1 romsets found, 0 were OK.\n"},
        {"bad, empty list", "blank -verifyroms", 2,
         "blank   : prg1.1a         2048 bytes 5ecbe6e9 NOT FOUND\n"
         "blank   : gfx2.5h         2048 bytes 1411daa5 NOT FOUND\n"
         "romset blank is bad\n"
         "1 romsets found, 0 were OK.\n"},
        {"not found", "nosuch -verifyroms", 1, "romset \"  nosuch\" not found!\n"},
        {"not found, long name", "averylongname -verifyroms", 1,
         "romset \"averylongname\" not found!\n"},
        {"not found, path", "../roms -verifyroms", 1, "romset \" ../roms\" not found!\n"},
        // The classic MAME, to which -version means nothing.
        {"version", "-version", 0, ""},
    });
}

TEST_F(StandinTest, ListInfoPrintsTheFileBesideItOrItsOwnCatalogue)
{
    const Outcome builtIn = run("-listinfo");
    EXPECT_EQ(builtIn.exitCode, 0);
    EXPECT_TRUE(builtIn.out.starts_with("game (\n\tname ")) << builtIn.out;
    // What the list types need: a clone, a preliminary driver and a resource block.
    EXPECT_NE(builtIn.out.find("\n\tcloneof "), std::string::npos);
    EXPECT_NE(builtIn.out.find("\n\tdriver ( status preliminary "), std::string::npos);
    EXPECT_NE(builtIn.out.find("\nresource (\n"), std::string::npos);

    const QByteArray own = "game (\r\n\tname mine\r\n)\r\n";
    write("standin-listinfo.txt", own);
    const Outcome fromFile = run("-listinfo");
    EXPECT_EQ(fromFile.exitCode, 0);
    EXPECT_EQ(fromFile.out, own.toStdString());
}

TEST_F(StandinTest, TodaysMameAnswersAsMame0251)
{
    write("standin-version.txt", "0.251 (unknown)\n");
    write("roms/glimwart.zip", "PK");
    ASSERT_TRUE(QDir(path("roms")).mkdir(QStringLiteral("glimwrtj")));
    write("roms/tundrax.best", "");
    write("roms/orbisque.bad", "ob1.p1 (1048576 bytes) - NOT FOUND\n\r\n"
                               "ob2.p2 (4096 bytes) - INCORRECT LENGTH: 3 bytes\n");
    const std::string orbisqueBad =
        "orbisque    : ob1.p1 (1048576 bytes) - NOT FOUND\n"
        "orbisque    : ob2.p2 (4096 bytes) - INCORRECT LENGTH: 3 bytes\n"
        "romset orbisque [neogeo] is bad\n";

    expectAnswers({
        {"version", "-version", 0, "0.251 (unknown)\n", ""},
        {"sets in catalogue order, one bad, an absent one left out",
         "-verifyroms tundrax glimwrtj neogeo orbisque glimwart", 2,
         "romset glimwart is good\nromset glimwrtj [glimwart] is good\n" + orbisqueBad +
             "romset tundrax is best available\n",
         "4 romsets found, 3 were OK.\n"},
        {"all good, game word first", "glimwart -verifyroms neogeo", 0,
         "romset glimwart is good\n1 romsets found, 1 were OK.\n", ""},
        {"unknown names: only the first is named, nothing is counted",
         "-verifyroms nosuch tundrax zzz", 5, "romset tundrax is best available\n",
         "No matching systems found for 'nosuch'\n"},
        {"one absent name", "neogeo -verifyroms", 2, "", "romset \"neogeo\" not found!\n"},
        {"several absent names", "-verifyroms neogeo quillsnd", 0, "0 romsets found, 0 were OK.\n",
         ""},
        {"unknown switch", "glimwart -soundcard 1", 6, "", "Error: unknown option: -soundcard\n"},
        {"switch without its value", "-showconfig -rompath", 6, "",
         "Error: option -rompath expected a parameter\n"},
        {"frameskip out of range", "glimwart -nowindow -frameskip 11", 0, "",
         "Out-of-range integer value for frameskip: \"11\" (must be between 0 and 10, "
         "inclusive); reverting to 0\n"},
        {"playback of a missing file", "glimwart -playback none.inp", 3,
         "Ignoring MAME exception: Input file none.inp not found\n\n",
         "Fatal error: Input file none.inp not found\n\n"},
    });
}

TEST_F(StandinTest, TodaysMameShowsItsConfigAndCatalogue)
{
    write("standin-version.txt", "0.251 (unknown)\n");
    write("standin-rompath.txt", "/srv/my roms;/srv/more\n");
    const Outcome config = run("glimwart -input_directory takes -showconfig");
    EXPECT_EQ(config.exitCode, 0);
    EXPECT_NE(config.out.find("\nrompath                   \"/srv/my roms;/srv/more\"\n"),
              std::string::npos)
        << config.out;
    EXPECT_NE(config.out.find("\ninput_directory           takes\n"), std::string::npos);

    const Outcome builtIn = run("-listxml");
    EXPECT_EQ(builtIn.exitCode, 0);
    for (const char* machine :
         {"<machine name=\"glimwart\" ", "<machine name=\"glimwrtj\" ", "cloneof=\"glimwart\"",
          "<machine name=\"tundrax\" ", "<driver status=\"preliminary\"", "romof=\"neogeo\"",
          "<machine name=\"neogeo\" sourcefile=\"neogeo/neogeo.cpp\" isbios=\"yes\">",
          "isdevice=\"yes\" runnable=\"no\">"})
        EXPECT_NE(builtIn.out.find(machine), std::string::npos) << machine;

    // The catalogue beside it is printed as it is, and is all the stand-in knows.
    const QByteArray own = "<mame>\n\t<machine name=\"mine\" cloneof=\"theirs\">\n</mame>\n";
    write("standin-listxml.xml", own);
    write("roms/mine.zip", "PK");
    EXPECT_EQ(run("-listxml").out, own.toStdString());
    const Outcome verified = run("-verifyroms mine glimwart");
    EXPECT_EQ(verified.exitCode, 5);
    EXPECT_EQ(verified.out, "romset mine [theirs] is good\n");
}

TEST_F(StandinTest, TodaysMameRecordsIntoTheInputDirectory)
{
    write("standin-version.txt", "0.251 (unknown)\n");
    const QStringList take{"glimwart", "-input_directory", "my takes"};
    EXPECT_EQ(run(take + QStringList{"-record", "one.inp"}).exitCode, 0);
    // Relative to the working directory, made when missing, as MAME makes it.
    EXPECT_TRUE(
        QFileInfo(QDir(m_elsewhere.path()).filePath(QStringLiteral("my takes/one.inp"))).isFile());
    EXPECT_FALSE(QFileInfo::exists(path("my takes")));
    EXPECT_EQ(run(take + QStringList{"-playback", "one.inp"}).exitCode, 0);
}

} // namespace
