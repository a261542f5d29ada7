// programdir_test.cpp: which directory the program works in, and what it puts there.

#include "platform/programdir.h"

#include "platform/appinfo.h"
#include "testfiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kGuide = "<html>guide</html>";

using testfiles::read;
using testfiles::write;

// An installed program under <root>/prefix, the user's data directory <root>/data and the
// current directory <root>/cwd.
TEST(ProgramDirectory, isChosenAndPreparedOnlyWhereTheBinaryDoesNotHoldKvCfg)
{
    const struct
    {
        const char* what;
        bool kvCfgBesideBinary;
        QString dirArgument; // "ROOT" stands for the temporary directory
        QString expected;    // relative to the temporary directory
        bool prepared;
    } cases[] = {
        {"binary beside KvCfg", true, "", "prefix/bin", false},
        {"no KvCfg beside the binary", false, "", "data/Korvane", true},
        {"relative --dir", false, "games/mame", "cwd/games/mame", true},
        {"relative --dir upwards", false, "../mame/", "mame", true},
        {"absolute --dir over KvCfg beside the binary", true, "ROOT/elsewhere/mame",
         "elsewhere/mame", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        const QDir base(root.path());
        const QString binaryDir = base.filePath("prefix/bin");
        ASSERT_TRUE(base.mkpath(c.kvCfgBesideBinary ? "prefix/bin/KvCfg" : "prefix/bin"));
        ASSERT_TRUE(base.mkpath("cwd"));
        write(base.filePath("prefix/share/doc/korvane/Korvane.htm"), kGuide);
        const ProgramDirChoice choice =
            chooseProgramDirectory(binaryDir, QString(c.dirArgument).replace("ROOT", root.path()),
                                   base.filePath("data"), base.filePath("cwd"));
        EXPECT_EQ(choice.dir.toStdString(), base.filePath(c.expected).toStdString());
        EXPECT_EQ(choice.prepare, c.prepared);
        if (choice.prepare) {
            QString error;
            EXPECT_TRUE(prepareProgramDirectory(choice.dir, installedGuidePath(binaryDir), &error))
                << error.toStdString();
            EXPECT_TRUE(QFileInfo(QDir(choice.dir).filePath("KvCfg")).isDir());
            EXPECT_TRUE(QFileInfo(QDir(choice.dir).filePath("INP")).isDir());
            // Where the About dialog's documentation button looks.
            EXPECT_EQ(read(documentationUrl(choice.dir).toLocalFile()), kGuide);
        }
        const QStringList besideBinary =
            QDir(binaryDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        EXPECT_EQ(besideBinary.join(u' ').toStdString(), c.kvCfgBesideBinary ? "KvCfg" : "");
    }
}

TEST(ProgramDirectory, keepsTheUserGuideThereAndStartsWithoutOne)
{
    QTemporaryDir root;
    const QString dir = root.filePath("mame");
    const QString guide = root.filePath("Korvane.htm");
    write(guide, kGuide);
    QString error;
    // A program run from its build tree has no installed guide.
    ASSERT_TRUE(prepareProgramDirectory(dir, root.filePath("none.htm"), &error));
    EXPECT_FALSE(QFileInfo::exists(documentationUrl(dir).toLocalFile()));

    write(documentationUrl(dir).toLocalFile(), "edited");
    ASSERT_TRUE(prepareProgramDirectory(dir, guide, &error));
    EXPECT_EQ(read(documentationUrl(dir).toLocalFile()), "edited");
}

TEST(ProgramDirectory, thatCannotBeCreatedIsReported)
{
    // A file where a directory belongs stops even root.
    const struct
    {
        const char* file;
        const char* dir;
        const char* failing;
    } cases[] = {
        {"data", "data/Korvane", "data/Korvane/KvCfg"},
        {"mame/KvCfg", "mame", "mame/KvCfg"},
        {"mame/INP", "mame", "mame/INP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        QTemporaryDir root;
        write(root.filePath(QString::fromLatin1(c.file)), "x");
        QString error;
        EXPECT_FALSE(
            prepareProgramDirectory(root.filePath(QString::fromLatin1(c.dir)), QString(), &error));
        EXPECT_TRUE(error.startsWith("The directory " +
                                     root.filePath(QString::fromLatin1(c.failing)) +
                                     " could not be created: "))
            << error.toStdString();
    }
}

} // namespace
