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

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <utility>

namespace {

const QString kUsage = "Usage: korvane [options]\n";

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
        for (const auto& [text, start] : {std::pair(parsed.standardOutput, c.output),
                                          std::pair(parsed.standardError, c.errorStart)}) {
            EXPECT_TRUE(start.isEmpty() ? text.isEmpty() : text.startsWith(start))
                << text.toStdString();
        }
    }
    // Help describes every option but Qt's own.
    const QString help = parseProgramArguments({"korvane", "--help"}).standardOutput;
    for (const char* option :
         {"-h, --help", "-v, --version", "--dir <directory>", "KvCfg", "~/.local/share/Korvane"})
        EXPECT_TRUE(help.contains(QString::fromLatin1(option))) << option;
    EXPECT_FALSE(help.contains("style"));
}

// Starts the built program without a display (offscreen, when it is to show its window),
// with its home and data directories in home.
void startBuilt(QProcess& program, const QString& home, const QStringList& arguments,
                bool offscreen = false)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/config");
    environment.insert("XDG_DATA_HOME", home + "/data");
    if (offscreen)
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(KORVANE_BINARY, arguments);
}

TEST(ProgramArguments, theBuiltProgramAnswersWithoutADisplayAndStartsInTheDirectoryItChose)
{
    QTemporaryDir home;
    // Answered before there is any window, and leaving nothing behind.
    for (const auto& [argument, code, said] :
         {std::tuple{"--version", 0, "korvane "},
          {"--bogus", 2, "korvane: Unknown option 'bogus'."}}) {
        QProcess program;
        startBuilt(program, home.path(), {argument});
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitCode(), code);
        EXPECT_TRUE((code ? program.readAllStandardError() : program.readAllStandardOutput())
                        .startsWith(said));
    }
    EXPECT_TRUE(QDir(home.path()).isEmpty());
    QFile(home.filePath("file")).open(QIODevice::WriteOnly);
    // What the program has done once it waits for the user: a directory made in home, or
    // words said on standard error (the whole sentence is ProgramDirectory's).
    const struct
    {
        const char* what;
        QStringList arguments;
        const char* made;
        const char* said;
    } cases[] = {
        {"first start", {}, "data/Korvane/INP", ""},
        {"uncreatable --dir", {"--dir", home.filePath("file/mame")}, "", " could not be created: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QProcess program;
        program.setReadChannel(QProcess::StandardError);
        startBuilt(program, home.path(), c.arguments, true);
        ASSERT_TRUE(program.waitForStarted());
        QByteArray error;
        auto done = [&] {
            return (!*c.made || QFileInfo(home.filePath(c.made)).isDir()) && error.contains(c.said);
        };
        const QDeadlineTimer deadline(20000);
        while (!done() && !deadline.hasExpired() && program.state() == QProcess::Running) {
            program.waitForReadyRead(100);
            error += program.readAllStandardError();
        }
        EXPECT_TRUE(done()) << error.toStdString();
        // It goes on to its window, with a message box about the missing game list.
        EXPECT_EQ(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished();
    }
}

} // namespace
