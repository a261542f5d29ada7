#include "platform/inisettingsstore.h"
#include "platform/localfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

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

// Makes every file write past limit bytes fail, as a full disk does, for as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
        : m_previous(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit tiny = m_old;
        tiny.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*m_previous)(int);
    rlimit m_old{};
};

TEST(IniSettingsStore, aWriteCutShortKeepsTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Korvane.ini"));
    IniSettingsStore store(file);
    ASSERT_TRUE(store.write(QStringLiteral("Games"), QStringLiteral("ListType"), "3"));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray before = ini.readAll();
    ini.close();
    bool written = true;
    {
        const FileSizeLimit limit(1000); // room for the lock file, not for the value
        written = store.writeAll(QStringLiteral("Options"),
                                 {{QStringLiteral("AdditionalParamText"), QString(4000, u'x')}});
    }
    EXPECT_FALSE(written);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), before);
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
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old contents"));
    // Nothing is left behind beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"game.kv"});

    // Without its directory nothing is written, and the reason says why.
    EXPECT_FALSE(files.writeAtomically(dir.filePath(QStringLiteral("none/x.kv")), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(files.remove(path, &error));
    EXPECT_FALSE(files.exists(path));
    EXPECT_FALSE(files.remove(path, &error));
}

} // namespace
