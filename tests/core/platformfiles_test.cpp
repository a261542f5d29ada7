#include "platform/inisettingsstore.h"
#include "platform/localfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(IniSettingsStore, textsComeBackExactlyAsWritten)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Korvane.ini"));
    const QStringList texts{
        QString(),
        QStringLiteral("0"),
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("a, b,c"),
        QStringLiteral("\"quoted\""),
        QStringLiteral("back\\slash ; semicolon = equals # hash"),
        QStringLiteral("@Variant(\\0\\0\\0\\x7f)"),
        QStringLiteral("true"),
        QStringLiteral("caf\u00e9 \u2022 \u00a9"),
        QString(5000, u'x'),
    };
    {
        IniSettingsStore store(file);
        for (int i = 0; i < texts.size(); ++i)
            ASSERT_TRUE(
                store.write(QStringLiteral("Options"), QStringLiteral("K%1").arg(i), texts[i]));
    }
    IniSettingsStore again(file); // a new start reads what the last one wrote
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(again.read(QStringLiteral("Options"), QStringLiteral("K%1").arg(i),
                             QStringLiteral("absent")),
                  texts[i])
            << i;
    }
    EXPECT_EQ(again.read(QStringLiteral("Games"), QStringLiteral("ListType"), QStringLiteral("0")),
              QStringLiteral("0"));
    // Keys keep their letter case.
    EXPECT_EQ(again.read(QStringLiteral("Options"), QStringLiteral("k0"), QStringLiteral("absent")),
              QStringLiteral("absent"));
}

TEST(IniSettingsStore, aValueEditedByHandWithCommasReadsAsItsText)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Korvane.ini"));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Options]\nAdditionalParamText=-a, -b\n");
    ini.close();
    IniSettingsStore store(file);
    EXPECT_EQ(store.read(QStringLiteral("Options"), QStringLiteral("AdditionalParamText"), {}),
              QStringLiteral("-a, -b"));
}

TEST(IniSettingsStore, aWriteThatCannotBeMadeDurableFails)
{
    QTemporaryDir dir;
    // The store's directory is a file, so nothing can be written there, not even as root.
    QFile blocker(dir.filePath(QStringLiteral("notadir")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    IniSettingsStore store(dir.filePath(QStringLiteral("notadir/Korvane.ini")));
    EXPECT_FALSE(
        store.write(QStringLiteral("Games"), QStringLiteral("ListType"), QStringLiteral("3")));
    EXPECT_TRUE(store.location().endsWith(QStringLiteral("notadir/Korvane.ini")));
}

TEST(LocalFiles, listsFilesBySuffixInNameOrderWithoutRegardToCase)
{
    QTemporaryDir dir;
    for (const char* name : {"b.INP", "a.inp", "C.Inp", "c.INP", "x.txt", "inp", ".INP"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir(QStringLiteral("d.INP"));
    LocalFiles files;
    EXPECT_EQ(files.filesWithSuffix(dir.path(), QStringLiteral(".INP")),
              (QStringList{".INP", "a.inp", "b.INP", "C.Inp", "c.INP"}));
    EXPECT_TRUE(
        files.filesWithSuffix(dir.filePath(QStringLiteral("missing")), QStringLiteral(".INP"))
            .isEmpty());
    EXPECT_TRUE(files.isReadableFile(dir.filePath(QStringLiteral("b.INP"))));
    EXPECT_FALSE(files.isReadableFile(dir.filePath(QStringLiteral("d.INP"))));
    EXPECT_FALSE(files.isReadableFile(dir.filePath(QStringLiteral("nothing"))));
    EXPECT_TRUE(files.isDirectory(dir.filePath(QStringLiteral("d.INP"))));
}

} // namespace
