#include "programsession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace xdesktop {

namespace {

QProcess* server = nullptr;
QString serverDisplay;

QByteArray run(const QString& program, const QStringList& args, int* status = nullptr)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display());
    process.setProcessEnvironment(env);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, args);
    const bool ended = process.waitForFinished(20000);
    if (!ended)
        process.kill();
    if (status)
        *status = ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput();
}

// The server picks a free display itself and writes its number once it takes connections.
// -noreset: else the server starts over whenever its last client leaves, refusing
// connections for a moment.
bool startServer()
{
    server->setStandardErrorFile(QProcess::nullDevice());
    server->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                           "-noreset"});
    QByteArray number;
    while (!number.endsWith('\n') && server->waitForReadyRead(15000))
        number += server->readAllStandardOutput();
    serverDisplay = u':' + QString::fromLatin1(number.trimmed());
    return number.endsWith('\n');
}

void stop()
{
    if (server) {
        server->terminate();
        if (!server->waitForFinished(5000))
            server->kill();
        delete server;
        server = nullptr;
    }
}

} // namespace

QString display()
{
    if (!server) {
        server = new QProcess;
        if (!startServer())
            qFatal("No X server could be started: are Xvfb and xdotool installed?");
    }
    return serverDisplay;
}

std::optional<QString> findWindow(const QString& titlePattern)
{
    int status = -1;
    const QByteArray ids =
        run("xdotool", {"search", "--onlyvisible", "--name", titlePattern}, &status);
    const QString first = QString::fromLatin1(ids).section(u'\n', 0, 0).trimmed();
    if (status != 0 || first.isEmpty())
        return std::nullopt;
    return first;
}

bool isViewable(const QString& window)
{
    return run("xwininfo", {"-id", window}).contains("IsViewable");
}

QString title(const QString& window)
{
    return QString::fromUtf8(run("xdotool", {"getwindowname", window})).trimmed();
}

QSize size(const QString& window)
{
    const QByteArray shell = run("xdotool", {"getwindowgeometry", "--shell", window});
    auto value = [&shell](const char* key) {
        const qsizetype at = shell.indexOf(key);
        return at < 0 ? 0 : shell.mid(at + qstrlen(key)).split('\n').first().toInt();
    };
    return QSize(value("WIDTH="), value("HEIGHT="));
}

void click(const QString& window, QPoint at)
{
    // Two clicks on one spot in quick succession would make a double click. (No --sync:
    // xdotool then waits for ever when the pointer is already there.)
    static QPoint last;
    static QElapsedTimer since;
    constexpr qint64 kDoubleClickGapMs = 500;
    if (at == last && since.isValid() && !since.hasExpired(kDoubleClickGapMs))
        QThread::msleep(static_cast<unsigned long>(kDoubleClickGapMs - since.elapsed()));
    run("xdotool", {"mousemove", "--window", window, QString::number(at.x()),
                    QString::number(at.y()), "click", "1"});
    last = at;
    since.start();
}

bool screenshot(const QString& path)
{
    int status = -1;
    run("import", {"-window", "root", path}, &status);
    return status == 0;
}

void keys(const QString& window, const QStringList& names)
{
    const QStringList focus{"windowfocus", "--sync", window};
    run("xdotool",
        (window.isEmpty() ? QStringList() : focus) + QStringList{"key", "--delay", "30"} + names);
}

} // namespace xdesktop

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // The X server is started by the first case that needs it, and ends with the process.
    xdesktop::stop();
    return result;
}
