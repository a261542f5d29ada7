#include "platform/appinfo.h"
#include "platform/inisettingsstore.h"
#include "platform/localfiles.h"
#include "platform/localprocesses.h"
#include "platform/platform.h"
#include "platform/programarguments.h"
#include "platform/programdir.h"
#include "ui/desktop/fonts.h"
#include "ui/desktop/qtdesktop.h"
#include "ui/desktop/qtmessageboxes.h"
#include "ui/shell/mainform.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <memory>

namespace {

void print(const QString& text, std::FILE* stream)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char* argv[])
{
    // Help, the version and a command line the program cannot take are answered before the
    // application exists: they need no display.
    QStringList argumentList;
    for (int i = 0; i < argc; ++i)
        argumentList.append(QString::fromLocal8Bit(argv[i]));
    const ProgramArguments arguments = parseProgramArguments(argumentList);
    if (arguments.exitCode) {
        print(arguments.standardOutput, stdout);
        print(arguments.standardError, stderr);
        return *arguments.exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    registerWindowFonts();

    const QString binaryDir = binaryDirectory();
    const ProgramDirChoice choice =
        chooseProgramDirectory(binaryDir, arguments.dir, userDataHome(), QDir::currentPath());
    // The program starts without its directories too, as it does without KvCfg: it says why
    // nothing can be kept.
    QString problem;
    bool madeKvCfg = false;
    if (choice.prepare &&
        !prepareProgramDirectory(choice.dir, installedGuidePath(binaryDir), &problem, &madeKvCfg))
        print(problem + u'\n', stderr);

    const QString& programDir = choice.dir;
    IniSettingsStore settings;
    LocalFiles files;
    QtMessageBoxes messages;
    // Debian installs MAME as /usr/games/mame, a directory that not every PATH holds.
    LocalProcesses processes(programDir, qEnvironmentVariable("PATH"),
                             {QStringLiteral("/usr/games")});
    QtDefaultHandler desktop;
    QtModalDialogs dialogs;
    Platform platform{settings, files,   messages,   processes,
                      desktop,  dialogs, programDir, madeKvCfg};

    MainForm window(platform);
    messages.setParent(&window);
    if (!problem.isEmpty())
        messages.show(problem, appTitle(), MessageButtons::Ok);
    window.Form_Load();
    window.show(); // which centres it on its screen
    return QApplication::exec();
}
