#include "platform/inisettingsstore.h"
#include "platform/localfiles.h"

#include "fakes/filesizelimit.h"
#include "testfiles.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(IniSettingsStore, textsComeBackExactlyAsWrittenByItOrByHand)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Korvane.ini");
    testfiles::write(file, "[Options]\nAdditionalParamText=-a, -b\n");
    // clang-format off
    const QStringList texts{"", "0", "  leading and trailing  ", "a, b,c", "\"quoted\"",
                            "back\\slash ; semicolon = equals # hash", "@Variant(\\0\\0\\0\\x7f)",
                            "true", "caf\u00e9 \u2022 \u00a9", QString(5000, u'x')};
    // clang-format on
    {
        IniSettingsStore store(file);
        for (int i = 0; i < texts.size(); ++i)
            ASSERT_TRUE(store.write("Options", QStringLiteral("K%1").arg(i), texts[i]));
    }
    const IniSettingsStore again(file); // a new start reads what the last one wrote
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(again.read("Options", QStringLiteral("K%1").arg(i), "absent"), texts[i]) << i;
    EXPECT_EQ(again.read("Options", "AdditionalParamText", {}), "-a, -b");
    EXPECT_EQ(again.read("Options", "k0", "absent"), "absent"); // keys keep their letter case
}

TEST(IniSettingsStore, aWriteThatFailsKeepsTheFileAsItWas)
{
    QTemporaryDir dir;
    // The store's directory is a file, so nothing can be written there, not even as root.
    testfiles::write(dir.filePath("notadir"));
    IniSettingsStore nowhere(dir.filePath("notadir/Korvane.ini"));
    EXPECT_FALSE(nowhere.write("Games", "ListType", "3"));
    EXPECT_TRUE(nowhere.location().endsWith("notadir/Korvane.ini"));

    const QString file = dir.filePath("Korvane.ini");
    IniSettingsStore store(file);
    ASSERT_TRUE(store.write("Games", "ListType", "3"));
    const QByteArray before = testfiles::read(file);
    bool written = true;
    {
        const FileSizeLimit limit(1000); // room for the lock file, not for the value
        written = store.writeAll("Options", {{"AdditionalParamText", QString(4000, u'x')}});
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(testfiles::read(file), before);
}

class LocalFilesTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList filesThere() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    LocalFiles files;
    QString error;
};

TEST_F(LocalFilesTest, listsFilesBySuffixInNameOrderWithoutRegardToCase)
{
    for (const char* name : {"b.INP", "a.inp", "C.Inp", "c.INP", "x.txt", "inp", ".INP"})
        testfiles::write(path(name));
    QDir(dir.path()).mkdir("d.INP");
    EXPECT_EQ(files.filesWithSuffix(dir.path(), ".INP"),
              (QStringList{".INP", "a.inp", "b.INP", "C.Inp", "c.INP"}));
    EXPECT_TRUE(files.isReadableFile(path("b.INP")));
    EXPECT_FALSE(files.isReadableFile(path("d.INP")));
    EXPECT_FALSE(files.isReadableFile(path("nothing")));
    EXPECT_TRUE(files.isDirectory(path("d.INP")));
}

TEST_F(LocalFilesTest, aFailedWriteLeavesTheOldFileWhole)
{
    ASSERT_TRUE(files.writeAtomically(path("game.kv"), "old contents", &error));
    bool written = true;
    {
        const FileSizeLimit limit(16);
        written = files.writeAtomically(path("game.kv"), QByteArray(4096, 'x'), &error);
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testfiles::read(path("game.kv")), "old contents");
    EXPECT_EQ(filesThere(), QStringList{"game.kv"}); // nothing is left behind beside it

    // Without its directory nothing is written, and the reason says why.
    error.clear();
    EXPECT_FALSE(files.writeAtomically(path("none/x.kv"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(files.remove(path("game.kv"), &error));
    EXPECT_FALSE(files.exists(path("game.kv")));
    EXPECT_FALSE(files.remove(path("game.kv"), &error));
}

TEST_F(LocalFilesTest, aReplacementTakesThePlaceOfTheOldFileOnlyWhenWholeAndCommitted)
{
    enum class End
    {
        Commit,
        Drop,
        DiskFull,
    };
    const QString list = path("Korvane.gam");
    for (const End end : {End::Commit, End::Drop, End::DiskFull}) {
        SCOPED_TRACE(static_cast<int>(end));
        ASSERT_TRUE(files.writeAtomically(list, "old", &error));
        {
            std::unique_ptr<FileReplacement> replacement = files.startReplacing(list, &error);
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
        EXPECT_EQ(testfiles::read(list), end == End::Commit ? "nnnnn" : "old");
        EXPECT_EQ(filesThere(), QStringList{"Korvane.gam"});
    }
    error.clear();
    EXPECT_FALSE(files.startReplacing("/nonexistent/Korvane.gam", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(LocalFilesTest, aLockIsHeldByOneLivingProcessAtATime)
{
    const QString lock = path("Korvane.lock");
    bool elsewhere = true;
    auto first = files.lock(lock, &elsewhere, &error);
    ASSERT_TRUE(first);
    EXPECT_FALSE(elsewhere);
    EXPECT_FALSE(files.lock(lock, &elsewhere, &error));
    EXPECT_TRUE(elsewhere);
    first.reset();
    EXPECT_TRUE(files.lock(lock, &elsewhere, &error));

    // Left behind by a process that has ended, or by one that died while writing it: taken.
    QProcess ended;
    ended.start("true", {});
    ASSERT_TRUE(ended.waitForFinished());
    QByteArray held;
    {
        QLockFile real(lock);
        ASSERT_TRUE(real.tryLock(0));
        held = testfiles::read(lock);
        real.unlock();
    }
    const QByteArray dead = QByteArray::number(ended.processId()) + held.mid(held.indexOf('\n'));
    for (const QByteArray& left : {dead, QByteArray()}) {
        testfiles::write(lock, left);
        EXPECT_TRUE(files.lock(lock, &elsewhere, &error)) << left.toStdString();
    }

    // No directory to lock in: not held by another, and said why.
    error.clear();
    EXPECT_FALSE(files.lock(path("none/Korvane.lock"), &elsewhere, &error));
    EXPECT_FALSE(elsewhere);
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
