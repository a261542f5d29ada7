#include "platform/programarguments.h"

#include "platform/appinfo.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// The options QGuiApplication, QApplication and the X11 platform plugin take from the command
// line: those with a value, then the others.
constexpr const char* kQtValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
    "display",     "geometry",           "title",         "icon",   "name",
    "visual",      "qmljsdebugger",
};
constexpr const char* kQtFlagOptions[] = {"reverse", "widgetcount", "nograb",
                                          "dograb",  "sync",        "testability"};

} // namespace

ProgramArguments parseProgramArguments(const QStringList& arguments)
{
    QString program = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
    if (program.isEmpty())
        program = QStringLiteral("korvane");

    QCommandLineParser parser;
    // Qt's options are words after a single dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A desktop front-end for the MAME arcade emulator."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    const QCommandLineOption dir(
        QStringLiteral("dir"),
        QStringLiteral("The program directory: where MAME is looked for first, where KvCfg "
                       "and INP lie and where MAME runs. KvCfg and INP are created there when "
                       "missing. Without --dir: the directory of the korvane binary when it "
                       "holds KvCfg, else $XDG_DATA_HOME/Korvane (~/.local/share/Korvane)."),
        QStringLiteral("directory"));
    parser.addOptions({help, version, dir});
    const auto addQtOption = [&parser](const char* name, const QString& valueName) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* option : kQtValueOptions)
        addQtOption(option, QStringLiteral("value"));
    for (const char* option : kQtFlagOptions)
        addQtOption(option, QString());

    // The usage line names the program as it was called, not by its path.
    QString helpText = parser.helpText();
    helpText.replace(0, helpText.indexOf(u'\n'),
                     QStringLiteral("Usage: %1 [options]").arg(program));

    ProgramArguments result;
    QString problem;
    if (!parser.parse(arguments))
        problem = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        problem = QStringLiteral("Unexpected argument '%1'.")
                      .arg(parser.positionalArguments().constFirst());
    else if (parser.isSet(dir) && parser.value(dir).isEmpty())
        problem = QStringLiteral("--dir needs the name of a directory.");

    if (!problem.isEmpty()) {
        result.exitCode = 2;
        result.standardError = program + QStringLiteral(": ") + problem + u'\n' + u'\n' + helpText;
    } else if (parser.isSet(help)) {
        result.exitCode = 0;
        result.standardOutput = helpText;
    } else if (parser.isSet(version)) {
        result.exitCode = 0;
        result.standardOutput = program + u' ' + programVersionText() + u'\n';
    } else {
        result.dir = parser.value(dir);
    }
    return result;
}
