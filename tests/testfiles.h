#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

// The files a test lays out before it starts and reads back afterwards.
namespace testfiles {

// Writes bytes to path, making its directory first; an executable file is its owner's to run.
inline void write(const QString& path, const QByteArray& bytes = {}, bool executable = false)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path())) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
    file.close();
    if (executable) {
        ASSERT_TRUE(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner));
    }
}

// The file's bytes; "(missing)" when there is no file to read.
inline QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A copy of the program from, ready to run at to, in place of whatever was there.
inline void installProgram(const QString& from, const QString& to)
{
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to)) << to.toStdString();
    ASSERT_TRUE(QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner));
}

inline void installStandin(const QString& path)
{
    installProgram(QStringLiteral(KORVANE_STANDIN_MAME), path);
}

// A run of Debian's MAME 0.251 recorded in tests/fixtures/mame0251 (its README says how):
// NAME.out holds what it printed, NAME.end how it ended ("exit 2", "signal 9").
inline QString recordedRun(const QString& name, const char* part = ".out")
{
    return QStringLiteral(KORVANE_FIXTURES "/mame0251/") + name + QLatin1StringView(part);
}

// The stand-in installed in dir replays the output file at run (repeated times over) and
// ends as the file beside it ending in ".end" says, whatever it is asked.
inline void replay(const QString& dir, const QString& run, int times = 1)
{
    write(dir + QStringLiteral("/standin-replay.txt"),
          run.toUtf8() + '\n' + QByteArray::number(times) + '\n');
}

// Runs the event loop until done() holds, for ms milliseconds at most; whether it holds. Polls
// rather than waiting a fixed time: a slow machine only makes the test slower.
inline bool eventually(const std::function<bool()>& done, int ms = 5000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return done();
}

} // namespace testfiles

// EXPECT_EQ once the event loop has had five seconds at most to make actual equal expected.
#define EXPECT_EVENTUALLY_EQ(actual, expected)                                                     \
    do {                                                                                           \
        testfiles::eventually([&] { return (actual) == (expected); });                             \
        EXPECT_EQ(actual, expected);                                                               \
    } while (false)
