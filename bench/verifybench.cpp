// How much verifying every set adds to the emulator's own time: the same 1,000 stand-in
// commands run once by "Verify All roms" and once by a shell loop, timed in one run.

#include "benchwindow.h"
#include "ui/catalogue/gamelist.h"
#include "ui/verify/romverification.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSets = 1000;

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A program directory with the stand-in as MAME, a catalogue of kSets games and ROM sets for
// four in five of them.
bool layOut(const QString& dir)
{
    QDir root(dir);
    if (!root.mkpath(QStringLiteral("KvCfg")) || !root.mkpath(QStringLiteral("roms")) ||
        !QFile::copy(QStringLiteral(KORVANE_STANDIN_MAME), root.filePath(QStringLiteral("MAME"))) ||
        !QFile::setPermissions(root.filePath(QStringLiteral("MAME")),
                               QFileDevice::ReadOwner | QFileDevice::ExeOwner))
        return false;
    QByteArray catalogue;
    QByteArray names;
    for (int i = 0; i < kSets; ++i) {
        const QByteArray name = "set" + QByteArray::number(i);
        catalogue += "game (\n\tname " + name + "\n\tdescription \"Set " + QByteArray::number(i) +
                     "\"\n\tyear 1990\n\tdriver ( status good )\n)\n\n";
        names += name + '\n';
        if (i % 5 != 0 &&
            !writeFile(root.filePath(QStringLiteral("roms/") + QString::fromLatin1(name) +
                                     QStringLiteral(".zip")),
                       "PK"))
            return false;
    }
    return writeFile(root.filePath(QStringLiteral("KvCfg/Korvane.gam")), catalogue) &&
           writeFile(root.filePath(QStringLiteral("names.txt")), names);
}

void BM_VerifyAll(benchmark::State& state)
{
    QTemporaryDir dir;
    if (!dir.isValid() || !layOut(dir.path())) {
        state.SkipWithError("the program directory could not be laid out");
        return;
    }
    BenchWindow window(dir.path());
    MainForm& form = window.form;

    const QString shellLoop = QStringLiteral(
        "while read -r n; do ./MAME \"$n\" -verifyroms > KvCfg/Verif.tmp; done < names.txt");
    double korvaneMs = 0;
    double shellMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        form.verification()->VerifyAllRomsMenu_Click();
        korvaneMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        timer.start();
        shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), shellLoop});
        shell.waitForFinished(-1);
        shellMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }
    QFile report(dir.filePath(QStringLiteral("Korvane_VerifyReport.txt")));
    if (!report.open(QIODevice::ReadOnly) || report.readAll().count('\n') != 2 + kSets / 5) {
        state.SkipWithError("the report does not list the missing sets");
        return;
    }
    state.counters["korvane_ms"] = korvaneMs;
    state.counters["shell_loop_ms"] = shellMs;
    state.counters["ratio"] = korvaneMs / shellMs;
}

} // namespace

BENCHMARK(BM_VerifyAll)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
