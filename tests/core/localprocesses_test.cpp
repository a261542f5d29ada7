// localprocesses_test.cpp: starting a real program (the stand-in MAME) without a shell.

#include "platform/localprocesses.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace {

// A program directory holding the stand-in as MAME, as Korvane's would hold the emulator.
class LocalProcessesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(KORVANE_STANDIN_MAME), path("MAME")));
        ASSERT_TRUE(QFile::setPermissions(path("MAME"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner));
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // The stand-in writes its log block last, so once the block is there its work is done.
    // Polls rather than sleeping a fixed time: a slow machine only makes the test slower.
    std::string waitForLog() const
    {
        const QDeadlineTimer deadline(10'000);
        QFile log(path("standin-mame.log"));
        while (!deadline.hasExpired()) {
            if (log.open(QIODevice::ReadOnly)) {
                const QByteArray text = log.readAll();
                log.close();
                if (text.endsWith("\nend\n"))
                    return text.toStdString();
            }
            QThread::msleep(20);
        }
        return "(no complete log block within 10 s)";
    }

    std::string canonicalDir() const
    {
        return QFileInfo(m_dir.path()).canonicalFilePath().toStdString();
    }

    QTemporaryDir m_dir;
};

TEST_F(LocalProcessesTest, StartsTheProgramWithItsWordsInTheProgramDirectory)
{
    LocalProcesses processes(m_dir.path(), QString());
    const ProcessStart start = processes.StartProcess(QStringLiteral("MAME smashtv -soundcard -1 "),
                                                      WindowStyle::MaximizedWithFocus);
    ASSERT_GT(start.taskId, 0) << start.error.toStdString();
    EXPECT_EQ(start.program, path("MAME"));
    EXPECT_TRUE(start.error.isEmpty());
    EXPECT_EQ(waitForLog(),
              "run\ncwd " + canonicalDir() + "\narg smashtv\narg -soundcard\narg -1\nend\n");
}

TEST_F(LocalProcessesTest, ShellCharactersReachTheProgramAsPlainWords)
{
    const std::string owned = path("owned").toStdString();
    const std::string owned2 = path("owned2").toStdString();
    const std::string redirected = path("redirected").toStdString();
    const std::string line = "mame.exe x; touch " + owned + " $(touch " + owned2 + ") > " +
                             redirected + " \"two words\" `id` &";

    LocalProcesses processes(m_dir.path(), QString());
    const ProcessStart start =
        processes.StartProcess(QString::fromStdString(line), WindowStyle::MinimizedWithFocus);
    ASSERT_GT(start.taskId, 0) << start.error.toStdString();
    EXPECT_EQ(waitForLog(), "run\ncwd " + canonicalDir() + "\narg x;\narg touch\narg " + owned +
                                "\narg $(touch\narg " + owned2 + ")\narg >\narg " + redirected +
                                "\narg two words\narg `id`\narg &\nend\n");
    EXPECT_FALSE(QFileInfo::exists(path("owned")));
    EXPECT_FALSE(QFileInfo::exists(path("owned2")));
    EXPECT_FALSE(QFileInfo::exists(path("redirected")));
}

TEST_F(LocalProcessesTest, NothingStartedGivesTaskZeroAndAReason)
{
    // The log exists but is not executable: it must not count as a program.
    QFile log(path("standin-mame.log"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.close();

    LocalProcesses processes(m_dir.path(), QStringLiteral(":"));
    for (const auto& [line, program] :
         {std::pair{"NOPE -listinfo", "NOPE"}, std::pair{"standin-mame.log", "standin-mame.log"},
          std::pair{"  \t ", ""}, std::pair{"", ""}}) {
        SCOPED_TRACE(line);
        const ProcessStart start =
            processes.StartProcess(QString::fromUtf8(line), WindowStyle::MinimizedWithFocus);
        EXPECT_EQ(start.taskId, 0);
        EXPECT_EQ(start.program.toStdString(), program);
        EXPECT_FALSE(start.error.isEmpty());
    }
}

TEST_F(LocalProcessesTest, ARedirectedRunWritesItsOutputAndEndsWithItsCode)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("roms/good")));
    LocalProcesses processes(m_dir.path(), QString());
    const QString output = path("out.txt");
    for (const auto& [game, code, text] :
         {std::tuple{"good", 0, "1 romsets found, 1 were OK.\n"},
          std::tuple{"gone", 1, "romset \"    gone\" not found!\n"}}) {
        SCOPED_TRACE(game);
        RedirectedStart start = processes.startRedirected(
            QStringLiteral("mame.exe %1 -verifyroms").arg(QLatin1StringView(game)), output);
        ASSERT_TRUE(start.run) << start.error.toStdString();
        QEventLoop loop;
        QObject::connect(start.run.get(), &RedirectedRun::finished, &loop, &QEventLoop::quit);
        if (start.run->isRunning())
            loop.exec();
        EXPECT_TRUE(start.run->exitedNormally());
        EXPECT_EQ(start.run->exitCode(), code);
        QFile file(output);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().toStdString(), text);
    }
    EXPECT_TRUE(waitForLog().starts_with("run\ncwd " + canonicalDir() + "\n"));

    // A slow run ends when it is killed.
    QFile delay(path("standin-delay.txt"));
    ASSERT_TRUE(delay.open(QIODevice::WriteOnly));
    delay.write("30000");
    delay.close();
    RedirectedStart slow = processes.startRedirected(QStringLiteral("MAME -listinfo"), output);
    ASSERT_TRUE(slow.run);
    QEventLoop loop;
    QObject::connect(slow.run.get(), &RedirectedRun::finished, &loop, &QEventLoop::quit);
    slow.run->kill();
    loop.exec();
    EXPECT_FALSE(slow.run->isRunning());
    EXPECT_FALSE(slow.run->exitedNormally());

    // Nothing to start, or nowhere to write.
    EXPECT_FALSE(processes.startRedirected(QStringLiteral("NOPE -listinfo"), output).run);
    const RedirectedStart unwritable =
        processes.startRedirected(QStringLiteral("MAME -listinfo"), path("none/out.txt"));
    EXPECT_FALSE(unwritable.run);
    EXPECT_FALSE(unwritable.error.isEmpty());
}

} // namespace
