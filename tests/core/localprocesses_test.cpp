// localprocesses_test.cpp: starting a real program (the stand-in MAME) without a shell.

#include "platform/localprocesses.h"

#include "testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace {

// A program directory holding the stand-in as MAME, as Korvane's would hold the emulator.
class LocalProcessesTest : public ::testing::Test
{
protected:
    void SetUp() override { testfiles::installStandin(path("MAME")); }

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // The stand-in writes its log block last, so once the block is there its work is done.
    std::string waitForLog() const
    {
        QByteArray log;
        testfiles::eventually(
            [&] { return (log = testfiles::read(path("standin-mame.log"))).endsWith("end\n"); },
            10'000);
        return log.toStdString();
    }

    QTemporaryDir m_dir;
    LocalProcesses processes{m_dir.path(), QString()}; // PATH is not searched
};

TEST_F(LocalProcessesTest, EachArgumentReachesTheProgramAsOneWord)
{
    const QString owned = path("owned");
    const Command command{"mame.exe",
                          {"smashtv", "two words", "x; touch " + owned, "$(touch " + owned + u')',
                           "\"q\" `id` > " + owned, QString(), "-x"}};
    const ProcessStart start = processes.StartProcess(command, WindowStyle::MaximizedWithFocus);
    ASSERT_GT(start.taskId, 0) << start.error.toStdString();
    EXPECT_EQ(start.program, path("MAME"));
    EXPECT_TRUE(start.error.isEmpty());
    const std::string o = owned.toStdString();
    EXPECT_EQ(waitForLog(),
              "run\ncwd " + QFileInfo(m_dir.path()).canonicalFilePath().toStdString() +
                  "\narg smashtv\narg two words\narg x; touch " + o + "\narg $(touch " + o +
                  ")\narg \"q\" `id` > " + o + "\narg \narg -x\nend\n");
    EXPECT_FALSE(QFileInfo::exists(owned));
}

TEST_F(LocalProcessesTest, NothingStartedGivesTaskZeroAndAReason)
{
    // The log exists but is not executable: it must not count as a program.
    testfiles::write(path("standin-mame.log"));

    LocalProcesses emptyPath(m_dir.path(), ":");
    for (const char* program : {"NOPE", "standin-mame.log", ""}) {
        SCOPED_TRACE(program);
        const ProcessStart start = emptyPath.StartProcess(
            {QString::fromUtf8(program), {"-listinfo"}}, WindowStyle::MinimizedWithFocus);
        EXPECT_EQ(start.taskId, 0);
        EXPECT_EQ(start.program.toStdString(), program);
        EXPECT_FALSE(start.error.isEmpty());
    }
}

TEST_F(LocalProcessesTest, ARedirectedRunWritesItsOutputAndEndsWithItsCode)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("roms/good"));
    const QString output = path("out.txt");
    for (const auto& [game, code, text] :
         {std::tuple{"good", 0, "1 romsets found, 1 were OK.\n"},
          std::tuple{"gone", 1, "romset \"    gone\" not found!\n"}}) {
        SCOPED_TRACE(game);
        RedirectedStart start = processes.startRedirected(
            {"mame.exe", {QString::fromUtf8(game), "-verifyroms"}}, output);
        ASSERT_TRUE(start.run) << start.error.toStdString();
        QEventLoop loop;
        QObject::connect(start.run.get(), &RedirectedRun::finished, &loop, &QEventLoop::quit);
        if (start.run->isRunning())
            loop.exec();
        EXPECT_TRUE(start.run->exitedNormally());
        EXPECT_EQ(start.run->exitCode(), code);
        EXPECT_EQ(testfiles::read(output).toStdString(), text);
    }

    // Nothing to start, or nowhere to write: told apart.
    const RedirectedStart none = processes.startRedirected({"NOPE", {"-listinfo"}}, output);
    EXPECT_FALSE(none.run);
    EXPECT_FALSE(none.outputFailed);
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("adir"));
    for (const char* unwritable : {"none/out.txt", "adir"}) {
        SCOPED_TRACE(unwritable);
        const RedirectedStart start =
            processes.startRedirected({"MAME", {"-listinfo"}}, path(unwritable));
        EXPECT_FALSE(start.run);
        EXPECT_TRUE(start.outputFailed);
        EXPECT_TRUE(start.error.startsWith(path(unwritable))) << start.error.toStdString();
    }
}

// Whether the process is gone (a zombie no init has reaped yet counts as gone).
bool isGone(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "Z"; // the state after the name
}

TEST_F(LocalProcessesTest, APipedRunHandsOverItsOutputAndKillEndsWhatItStarted)
{
    QByteArray catalogue;
    for (int i = 0; catalogue.size() < 3'000'000; ++i)
        catalogue += "game (\n\tname g" + QByteArray::number(i) + "\n)\n";
    testfiles::write(path("standin-listinfo.txt"), catalogue);
    const Command listInfo{"MAME", {"-listinfo"}};
    RedirectedStart start = processes.startPiped(listInfo);
    ASSERT_TRUE(start.run) << start.error.toStdString();
    QByteArray taken;
    while (!start.run->waitForFinished(10))
        taken += start.run->takeOutput();
    taken += start.run->takeOutput();
    EXPECT_TRUE(taken == catalogue) << taken.size() << " bytes of " << catalogue.size();
    EXPECT_TRUE(start.run->exitedNormally());

    // A run that started a helper: ending the run ends the helper too.
    testfiles::write(path("standin-child.txt"));
    testfiles::write(path("standin-delay.txt"), "30000");
    RedirectedStart slow = processes.startPiped(listInfo);
    ASSERT_TRUE(slow.run);
    QByteArray pid;
    ASSERT_TRUE(testfiles::eventually(
        [&] { return (pid = testfiles::read(path("standin-child.pid"))).endsWith('\n'); }));
    const qint64 child = pid.trimmed().toLongLong();
    ASSERT_GT(child, 0);
    EXPECT_FALSE(isGone(child));
    slow.run->kill();
    EXPECT_TRUE(slow.run->waitForFinished(10'000));
    EXPECT_FALSE(slow.run->exitedNormally());
    EXPECT_TRUE(testfiles::eventually([child] { return isGone(child); }, 10'000));
}

// A started game's output is read from the event loop as it comes, of which the end is kept
// however much it prints, and the loop keeps its turns meanwhile; how it ended is handed over.
TEST_F(LocalProcessesTest, AStartedGameKeepsTheEndOfItsOutputAndTellsHowItEnded)
{
    // 100 MB: a chunk whose size does not divide the part kept, a hundred times over.
    QByteArray chunk;
    for (int i = 0; chunk.size() < 1'000'000; ++i)
        chunk += "line " + QByteArray::number(i) + " of what the game printed\n";
    testfiles::write(path("flood.out"), chunk);
    testfiles::write(path("flood.end"), "exit 3\n");
    constexpr qsizetype kKept = 1 << 20;
    const QString pacman = testfiles::recordedRun("pacman");
    const QString killed = testfiles::recordedRun("pong-killed");
    for (const auto& [run, times, signalled, code, output] :
         {std::tuple{pacman, 1, false, 2, testfiles::read(pacman)},
          std::tuple{killed, 1, true, 9, testfiles::read(killed)},
          std::tuple{path("flood.out"), 100, false, 3, chunk.repeated(3).right(kKept)}}) {
        SCOPED_TRACE(run.toStdString());
        testfiles::replay(m_dir.path(), run, times);
        QEventLoop loop;
        std::optional<ProcessEnd> ended;
        const ProcessWatch watch{&loop, kKept, [&](const ProcessEnd& end) {
                                     ended = end;
                                     loop.quit();
                                 }};
        const ProcessStart start =
            processes.StartProcess({"MAME", {"pacman"}}, WindowStyle::MaximizedWithFocus, watch);
        ASSERT_GT(start.taskId, 0) << start.error.toStdString();
        QElapsedTimer sinceTick;
        qint64 longestWait = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { longestWait = std::max(longestWait, sinceTick.restart()); });
        tick.start(5);
        sinceTick.start();
        QTimer::singleShot(60'000, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_TRUE(ended);
        EXPECT_EQ(ended->signalled, signalled);
        EXPECT_EQ(ended->code, code);
        EXPECT_TRUE(ended->output == output) << ended->output.size() << " bytes";
        EXPECT_EQ(ended->outputCut, times > 1);
        EXPECT_LT(longestWait, 500);
    }
}

TEST_F(LocalProcessesTest, AnAnswerIsReadUpToItsLimit)
{
    const Command version{"MAME", {"-version"}};
    for (const qsizetype size : {kLongestAnswer, 40 * kLongestAnswer}) {
        SCOPED_TRACE(size);
        testfiles::write(path("standin-version.txt"), QByteArray(size, '9'));
        const ProcessAnswer asked = processes.ask(version, 10'000);
        EXPECT_EQ(asked.ended, size == kLongestAnswer) << asked.error.toStdString();
        EXPECT_EQ(asked.output.size(), size == kLongestAnswer ? size : 0);
    }
}

} // namespace
