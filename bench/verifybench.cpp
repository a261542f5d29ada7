// How much verifying every set adds to the emulator's own time. The classic MAME: 1,000
// stand-in commands run once by "Verify All roms" and once by a shell loop. Today's MAME: the
// full list verified by "Verify All roms", beside "MAME -verifyroms" alone printing into
// nothing; MAME is the stand-in with 1,000 sets, or the program KORVANE_BENCH_MAME names (the
// real MAME, measured by hand) with its own catalogue. Each pair is timed in one run.

#include "benchwindow.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistrefresh.h"
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

// A program directory with the stand-in as MAME (as today's MAME when today), a catalogue of
// kSets games and ROM sets for four in five of them; or the real MAME, whose catalogue the
// benchmark makes through the window.
bool layOut(const QString& dir, bool today, const QString& real)
{
    QDir root(dir);
    const QString mame = root.filePath(QStringLiteral("MAME"));
    if (!root.mkpath(QStringLiteral("KvCfg")) || !root.mkpath(QStringLiteral("roms")))
        return false;
    if (!real.isEmpty())
        return QFile::link(real, mame);
    if (!QFile::copy(QStringLiteral(KORVANE_STANDIN_MAME), mame) ||
        !QFile::setPermissions(mame, QFileDevice::ReadOwner | QFileDevice::ExeOwner) ||
        (today && !writeFile(root.filePath(QStringLiteral("standin-version.txt")), "0.251\n")))
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

void BM_VerifyAll(benchmark::State& state, bool today)
{
    const QString real = today ? qEnvironmentVariable("KORVANE_BENCH_MAME") : QString();
    QTemporaryDir dir;
    if (!dir.isValid() || !layOut(dir.path(), today, real)) {
        state.SkipWithError("the program directory could not be laid out");
        return;
    }
    BenchWindow window(dir.path());
    MainForm& form = window.form;
    if (!real.isEmpty()) {
        form.refresh()->UpdateGamesMenu_Click();
        if (window.messages.texts().last() != u"Game list updated!") {
            state.SkipWithError(qPrintable(window.messages.texts().last()));
            return;
        }
    }

    const QString alone =
        today ? QStringLiteral("./MAME -verifyroms > /dev/null")
              : QStringLiteral("while read -r n; do ./MAME \"$n\" -verifyroms > KvCfg/Verif.tmp; "
                               "done < names.txt");
    double korvaneMs = 0;
    double aloneMs = 0;
    for (auto _ : state) {
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        QElapsedTimer timer;
        timer.start();
        shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), alone});
        shell.waitForFinished(-1);
        aloneMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

        timer.start();
        form.verification()->VerifyAllRomsMenu_Click();
        korvaneMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }
    QFile report(dir.filePath(QStringLiteral("Korvane_VerifyReport.txt")));
    if (!window.messages.texts().last().startsWith(u"Verify done!") ||
        !report.open(QIODevice::ReadOnly) ||
        (real.isEmpty() && report.readAll().count('\n') != 2 + kSets / 5)) {
        state.SkipWithError("the report does not list the missing sets");
        return;
    }
    state.counters["games"] = form.games()->rowCount();
    state.counters["korvane_ms"] = korvaneMs;
    state.counters["alone_ms"] = aloneMs;
    state.counters["ratio"] = korvaneMs / aloneMs;
}

} // namespace

BENCHMARK_CAPTURE(BM_VerifyAll, classic, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK_CAPTURE(BM_VerifyAll, today, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
