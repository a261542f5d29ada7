// standin_test.cpp: the stand-in MAME's answers, which the tests and the demo rely on.

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
        ASSERT_TRUE(QFile::copy(QStringLiteral(KORVANE_STANDIN_MAME), path("MAME")));
        ASSERT_TRUE(QFile::setPermissions(path("MAME"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner));
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("roms")));
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    void write(const char* name, const QByteArray& content) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
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

    QTemporaryDir m_dir;
    QTemporaryDir m_elsewhere;
};

struct VerifyCase
{
    const char* what;
    const char* name;
    int exitCode;
    std::string out;
};

TEST_F(StandinTest, VerifyRomsAnswersGoodBadAndNotFound)
{
    write("roms/zipped.zip", "PK");
    ASSERT_TRUE(QDir(path("roms")).mkdir(QStringLiteral("unzipped")));
    write("roms/pacman.bad", "pm1.6e\n\nprg2.longer.name\r\n");
    write("roms/blank.bad", "");

    const std::vector<VerifyCase> cases{
        {"zip", "zipped", 0, "1 romsets found, 1 were OK.\n"},
        {"directory", "unzipped", 0, "1 romsets found, 1 were OK.\n"},
        {"bad, named ROMs", "pacman", 2,
         "pacman  : pm1.6e          2048 bytes ee5ef3d0 NOT FOUND\n"
         "pacman  : prg2.longer.name 2048 bytes 5ae3f8de NOT FOUND\n"
         "romset pacman is bad\n"
         "1 romsets found, 0 were OK.\n"},
        {"bad, empty list", "blank", 2,
         "blank   : prg1.1a         2048 bytes 5ecbe6e9 NOT FOUND\n"
         "blank   : gfx2.5h         2048 bytes 1411daa5 NOT FOUND\n"
         "romset blank is bad\n"
         "1 romsets found, 0 were OK.\n"},
        {"not found", "nosuch", 1, "romset \"  nosuch\" not found!\n"},
        {"not found, long name", "averylongname", 1, "romset \"averylongname\" not found!\n"},
        {"not found, path", "../roms", 1, "romset \" ../roms\" not found!\n"},
    };
    for (const VerifyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome result = run({QString::fromUtf8(c.name), QStringLiteral("-verifyroms")});
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.out, c.out);
    }
}

TEST_F(StandinTest, ListInfoPrintsTheFileBesideItOrItsOwnCatalogue)
{
    const Outcome builtIn = run({QStringLiteral("-listinfo")});
    EXPECT_EQ(builtIn.exitCode, 0);
    EXPECT_TRUE(builtIn.out.starts_with("game (\n\tname ")) << builtIn.out;
    // What the list types need: a clone, a preliminary driver and a resource block.
    EXPECT_NE(builtIn.out.find("\n\tcloneof "), std::string::npos);
    EXPECT_NE(builtIn.out.find("\n\tdriver ( status preliminary "), std::string::npos);
    EXPECT_NE(builtIn.out.find("\nresource (\n"), std::string::npos);

    const QByteArray own = "game (\r\n\tname mine\r\n)\r\n";
    write("standin-listinfo.txt", own);
    const Outcome fromFile = run({QStringLiteral("-listinfo")});
    EXPECT_EQ(fromFile.exitCode, 0);
    EXPECT_EQ(fromFile.out, own.toStdString());
}

} // namespace
