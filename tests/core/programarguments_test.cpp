// programarguments_test.cpp: what the command line asks, and what the built program answers
// on the terminal.

#include "platform/programarguments.h"

#include "platform/appinfo.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

const QString kUsage = QStringLiteral("Usage: korvane [options]\n");

TEST(ProgramArguments, areReadAsALinuxUserExpects)
{
    const struct
    {
        QStringList arguments; // after the program's name
        QString dir;
        std::optional<int> exitCode;
        QString output;     // the start of standard output
        QString errorStart; // the start of standard error
    } cases[] = {
        {{}, "", std::nullopt, "", ""},
        {{"--dir", "../mame"}, "../mame", std::nullopt, "", ""},
        {{"--dir=/opt/mame"}, "/opt/mame", std::nullopt, "", ""},
        {{"-style", "fusion", "-reverse", "--dir", "x"}, "x", std::nullopt, "", ""},
        {{"--help"}, "", 0, kUsage, ""},
        {{"-h", "--dir", "x"}, "", 0, kUsage, ""},
        {{"--version"}, "", 0, "korvane " + programVersionText() + "\n", ""},
        {{"-v"}, "", 0, "korvane " + programVersionText() + "\n", ""},
        {{"--bogus"}, "", 2, "", "korvane: Unknown option 'bogus'.\n\n" + kUsage},
        {{"--help", "--bogus"}, "", 2, "", "korvane: Unknown option 'bogus'.\n\n" + kUsage},
        {{"--dir"}, "", 2, "", "korvane: Missing value after '--dir'.\n\n" + kUsage},
        {{"--dir="}, "", 2, "", "korvane: --dir needs the name of a directory.\n\n" + kUsage},
        {{"mame"}, "", 2, "", "korvane: Unexpected argument 'mame'.\n\n" + kUsage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ProgramArguments parsed =
            parseProgramArguments(QStringList{"/usr/local/bin/korvane"} + c.arguments);
        EXPECT_EQ(parsed.dir.toStdString(), c.dir.toStdString());
        EXPECT_EQ(parsed.exitCode, c.exitCode);
        EXPECT_EQ(parsed.standardOutput.left(c.output.size()).toStdString(),
                  c.output.toStdString());
        EXPECT_EQ(parsed.standardOutput.isEmpty(), c.output.isEmpty());
        EXPECT_EQ(parsed.standardError.left(c.errorStart.size()).toStdString(),
                  c.errorStart.toStdString());
        EXPECT_EQ(parsed.standardError.isEmpty(), c.errorStart.isEmpty());
    }
}

TEST(ProgramArguments, helpDescribesEveryOptionButQtsOwn)
{
    const QString help = parseProgramArguments({"korvane", "--help"}).standardOutput;
    for (const char* option :
         {"-h, --help", "-v, --version", "--dir <directory>", "KvCfg", "~/.local/share/Korvane"})
        EXPECT_TRUE(help.contains(QString::fromLatin1(option))) << option;
    EXPECT_FALSE(help.contains(QStringLiteral("style")));
}

// The built program, without a display.
QProcessEnvironment withoutDisplay(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    return environment;
}

TEST(ProgramArguments, areAnsweredByTheBuiltProgramWithoutADisplay)
{
    const struct
    {
        const char* argument;
        int exitCode;
        const char* output;
        const char* error;
    } cases[] = {
        {"--version", 0, "korvane ", ""},
        {"--help", 0, "Usage: korvane [options]\n", ""},
        {"--bogus", 2, "", "korvane: Unknown option 'bogus'."},
    };
    QTemporaryDir home;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        QProcess program;
        program.setProcessEnvironment(withoutDisplay(home.path()));
        program.start(QStringLiteral(KORVANE_BINARY), {QString::fromLatin1(c.argument)});
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.exitCode);
        const QByteArray output = program.readAllStandardOutput();
        const QByteArray error = program.readAllStandardError();
        EXPECT_TRUE(output.startsWith(c.output)) << output.toStdString();
        EXPECT_EQ(output.isEmpty(), *c.output == '\0');
        EXPECT_TRUE(error.startsWith(c.error)) << error.toStdString();
        EXPECT_EQ(error.isEmpty(), *c.error == '\0');
    }
    EXPECT_TRUE(QDir(home.path()).isEmpty());
}

TEST(ProgramArguments, theBuiltProgramStartsInTheDirectoryItChose)
{
    QTemporaryDir home;
    QFile(home.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
    const struct
    {
        const char* what;
        QStringList arguments;
        // What the program has done once it waits for the user.
        std::function<bool(const QByteArray& error)> done;
    } cases[] = {
        {"first start",
         {},
         [&home](const QByteArray&) {
             return QFileInfo(home.filePath(QStringLiteral("data/Korvane/INP"))).isDir();
         }},
        {"an uncreatable --dir",
         {"--dir", home.filePath(QStringLiteral("file/mame"))},
         [](const QByteArray& error) {
             return error.contains("The directory ") && error.contains(" could not be created: ");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QProcess program;
        QProcessEnvironment environment = withoutDisplay(home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.setReadChannel(QProcess::StandardError);
        program.start(QStringLiteral(KORVANE_BINARY), c.arguments);
        ASSERT_TRUE(program.waitForStarted());
        QByteArray error;
        const QDeadlineTimer deadline(20000);
        while (!c.done(error) && !deadline.hasExpired() && program.state() == QProcess::Running) {
            program.waitForReadyRead(100);
            error += program.readAllStandardError();
        }
        EXPECT_TRUE(c.done(error)) << error.toStdString();
        // It goes on to its window, with a message box about the missing game list.
        EXPECT_EQ(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished();
    }
}

} // namespace
