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
struct ChoiceCase
{
    const char* what;
    bool kvCfgBesideBinary;
    QString dirArgument; // "ROOT" stands for the temporary directory
    QString expected;    // relative to the temporary directory
    bool prepared;
};

TEST(ProgramDirectory, isChosenAndPreparedOnlyWhereTheBinaryDoesNotHoldKvCfg)
{
    const ChoiceCase cases[] = {
        {"binary beside KvCfg", true, "", "prefix/bin", false},
        {"no KvCfg beside the binary", false, "", "data/Korvane", true},
        {"relative --dir", false, "games/mame", "cwd/games/mame", true},
        {"relative --dir upwards", false, "../mame/", "mame", true},
        {"absolute --dir over KvCfg beside the binary", true, "ROOT/elsewhere/mame",
         "elsewhere/mame", true},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        const QDir base(root.path());
        const QString binaryDir = base.filePath(QStringLiteral("prefix/bin"));
        ASSERT_TRUE(base.mkpath(QStringLiteral("prefix/bin")));
        ASSERT_TRUE(base.mkpath(QStringLiteral("cwd")));
        if (c.kvCfgBesideBinary) {
            ASSERT_TRUE(QDir(binaryDir).mkdir(QStringLiteral("KvCfg")));
        }
        write(base.filePath(QStringLiteral("prefix/share/doc/korvane/Korvane.htm")), kGuide);
        QString argument = c.dirArgument;
        argument.replace(QStringLiteral("ROOT"), root.path());

        const ProgramDirChoice choice =
            chooseProgramDirectory(binaryDir, argument, base.filePath(QStringLiteral("data")),
                                   base.filePath(QStringLiteral("cwd")));
        EXPECT_EQ(choice.dir.toStdString(), base.filePath(c.expected).toStdString());
        EXPECT_EQ(choice.prepare, c.prepared);
        if (choice.prepare) {
            QString error;
            EXPECT_TRUE(prepareProgramDirectory(choice.dir, installedGuidePath(binaryDir), &error))
                << error.toStdString();
            EXPECT_TRUE(QFileInfo(QDir(choice.dir).filePath(QStringLiteral("KvCfg"))).isDir());
            EXPECT_TRUE(QFileInfo(QDir(choice.dir).filePath(QStringLiteral("INP"))).isDir());
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
    const QString dir = root.filePath(QStringLiteral("mame"));
    const QString guide = root.filePath(QStringLiteral("Korvane.htm"));
    write(guide, kGuide);
    QString error;
    // A program run from its build tree has no installed guide.
    ASSERT_TRUE(prepareProgramDirectory(dir, root.filePath(QStringLiteral("none.htm")), &error));
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
        EXPECT_TRUE(error.startsWith(QStringLiteral("The directory ") +
                                     root.filePath(QString::fromLatin1(c.failing)) +
                                     QStringLiteral(" could not be created: ")))
            << error.toStdString();
    }
}

} // namespace
