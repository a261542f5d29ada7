#include "platform/inisettingsstore.h"
#include "platform/localfiles.h"

#include "fakes/filesizelimit.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QLockFile>
#include <QProcess>

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
    testfiles::write(file, "[Options]\nAdditionalParamText=-a, -b\n");
    IniSettingsStore store(file);
    EXPECT_EQ(store.read(QStringLiteral("Options"), QStringLiteral("AdditionalParamText"), {}),
              QStringLiteral("-a, -b"));
}

TEST(IniSettingsStore, aWriteThatCannotBeMadeDurableFails)
{
    QTemporaryDir dir;
    // The store's directory is a file, so nothing can be written there, not even as root.
    testfiles::write(dir.filePath(QStringLiteral("notadir")));
    IniSettingsStore store(dir.filePath(QStringLiteral("notadir/Korvane.ini")));
    EXPECT_FALSE(
        store.write(QStringLiteral("Games"), QStringLiteral("ListType"), QStringLiteral("3")));
    EXPECT_TRUE(store.location().endsWith(QStringLiteral("notadir/Korvane.ini")));
}

TEST(IniSettingsStore, aWriteCutShortKeepsTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Korvane.ini"));
    IniSettingsStore store(file);
    ASSERT_TRUE(store.write(QStringLiteral("Games"), QStringLiteral("ListType"), "3"));
    const QByteArray before = testfiles::read(file);
    bool written = true;
    {
        const FileSizeLimit limit(1000); // room for the lock file, not for the value
        written = store.writeAll(QStringLiteral("Options"),
                                 {{QStringLiteral("AdditionalParamText"), QString(4000, u'x')}});
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(testfiles::read(file), before);
}

TEST(LocalFiles, listsFilesBySuffixInNameOrderWithoutRegardToCase)
{
    QTemporaryDir dir;
    for (const char* name : {"b.INP", "a.inp", "C.Inp", "c.INP", "x.txt", "inp", ".INP"})
        testfiles::write(dir.filePath(QString::fromLatin1(name)));
    QDir(dir.path()).mkdir(QStringLiteral("d.INP"));
    LocalFiles files;
    EXPECT_EQ(files.filesWithSuffix(dir.path(), QStringLiteral(".INP")),
              (QStringList{".INP", "a.inp", "b.INP", "C.Inp", "c.INP"}));
    EXPECT_TRUE(files.isReadableFile(dir.filePath(QStringLiteral("b.INP"))));
    EXPECT_FALSE(files.isReadableFile(dir.filePath(QStringLiteral("d.INP"))));
    EXPECT_FALSE(files.isReadableFile(dir.filePath(QStringLiteral("nothing"))));
    EXPECT_TRUE(files.isDirectory(dir.filePath(QStringLiteral("d.INP"))));
}

TEST(LocalFiles, aFailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.kv"));
    LocalFiles files;
    QString error;
    ASSERT_TRUE(files.writeAtomically(path, "old contents", &error));
    bool written = true;
    {
        const FileSizeLimit limit(16);
        written = files.writeAtomically(path, QByteArray(4096, 'x'), &error);
    }

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testfiles::read(path), QByteArray("old contents"));
    // Nothing is left behind beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"game.kv"});

    // Without its directory nothing is written, and the reason says why.
    EXPECT_FALSE(files.writeAtomically(dir.filePath(QStringLiteral("none/x.kv")), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(files.remove(path, &error));
    EXPECT_FALSE(files.exists(path));
    EXPECT_FALSE(files.remove(path, &error));
}

TEST(LocalFiles, aReplacementTakesThePlaceOfTheOldFileOnlyWhenWholeAndCommitted)
{
    enum class End
    {
        Commit,
        Drop,
        DiskFull,
    };
    for (const End end : {End::Commit, End::Drop, End::DiskFull}) {
        SCOPED_TRACE(static_cast<int>(end));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Korvane.gam"));
        LocalFiles files;
        QString error;
        ASSERT_TRUE(files.writeAtomically(path, "old", &error));
        {
            std::unique_ptr<FileReplacement> replacement = files.startReplacing(path, &error);
            ASSERT_TRUE(replacement) << error.toStdString();
            const QByteArray bytes(end == End::DiskFull ? 64 * 1024 : 5, 'n');
            bool written = false;
            {
                const FileSizeLimit limit(end == End::DiskFull ? 4096 : RLIM_INFINITY);
                written = replacement->write(bytes) == bytes.size();
            }
            EXPECT_EQ(written, end != End::DiskFull);
            EXPECT_EQ(replacement->writeError().isEmpty(), end != End::DiskFull);
            // What was written reads back before it is in place.
            ASSERT_TRUE(replacement->seek(0));
            EXPECT_EQ(replacement->read(5), bytes.left(5));
            if (end != End::Drop) {
                EXPECT_EQ(replacement->commit(&error), end == End::Commit);
            }
        }
        EXPECT_EQ(testfiles::read(path),
                  end == End::Commit ? QByteArray("nnnnn") : QByteArray("old"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Korvane.gam"});
    }
    LocalFiles files;
    QString error;
    EXPECT_FALSE(files.startReplacing(QStringLiteral("/nonexistent/Korvane.gam"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(LocalFiles, aLockIsHeldByOneLivingProcessAtATime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Korvane.lock"));
    LocalFiles files;
    bool elsewhere = true;
    QString error;
    auto first = files.lock(path, &elsewhere, &error);
    ASSERT_TRUE(first);
    EXPECT_FALSE(elsewhere);
    EXPECT_FALSE(files.lock(path, &elsewhere, &error));
    EXPECT_TRUE(elsewhere);
    first.reset();
    EXPECT_TRUE(files.lock(path, &elsewhere, &error));

    // Left behind by a process that has ended, or by one that died while writing it: taken.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForFinished());
    QByteArray held;
    {
        QLockFile real(path);
        ASSERT_TRUE(real.tryLock(0));
        held = testfiles::read(path);
        real.unlock();
    }
    const QByteArray dead = QByteArray::number(ended.processId()) + held.mid(held.indexOf('\n'));
    for (const QByteArray& left : {dead, QByteArray()}) {
        testfiles::write(path, left);
        EXPECT_TRUE(files.lock(path, &elsewhere, &error)) << left.toStdString();
    }

    // No directory to lock in: not held by another, and said why.
    EXPECT_FALSE(files.lock(dir.filePath(QStringLiteral("none/Korvane.lock")), &elsewhere, &error));
    EXPECT_FALSE(elsewhere);
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
