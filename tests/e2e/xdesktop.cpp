#include "xdesktop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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

// A few numbers from one that depends on the process, so that test processes run side by
// side rarely meet; the lock file names the server that won a number. Never the user's own
// DISPLAY.
bool startServer()
{
    const QString user = qEnvironmentVariable("DISPLAY").section(u':', -1).section(u'.', 0, 0);
    const int first = 100 + int(QCoreApplication::applicationPid() % 500);
    for (int number = first; number < first + 12; ++number) {
        const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(number);
        if (user == QString::number(number) || QFile::exists(lock))
            continue;
        serverDisplay = u':' + QString::number(number);
        server->setStandardOutputFile(QProcess::nullDevice());
        server->setStandardErrorFile(QProcess::nullDevice());
        // -noreset: else the server starts over whenever its last client leaves, refusing
        // connections for a moment.
        server->start("Xvfb", {serverDisplay, "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                               "-noreset"});
        QElapsedTimer waited;
        waited.start();
        while (server->waitForStarted(5000) && server->state() == QProcess::Running &&
               !waited.hasExpired(15000)) {
            QFile owner(lock);
            int status = -1;
            if (owner.open(QIODevice::ReadOnly) &&
                owner.readAll().trimmed().toLongLong() == server->processId())
                run("xdotool", {"getdisplaygeometry"}, &status);
            if (status == 0)
                return true;
            QThread::msleep(50);
        }
        server->kill();
        server->waitForFinished();
    }
    return false;
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

void keys(const QString& window, const QStringList& names)
{
    const QStringList focus{"windowfocus", "--sync", window};
    run("xdotool",
        (window.isEmpty() ? QStringList() : focus) + QStringList{"key", "--delay", "30"} + names);
}

bool screenshot(const QString& path)
{
    int status = -1;
    run("import", {"-window", "root", path}, &status);
    return status == 0;
}

} // namespace xdesktop
