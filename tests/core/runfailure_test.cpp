// runfailure_test.cpp: what the user is told of a game that MAME did not start, from what
// Debian's MAME 0.251 really printed.

#include "mame/runfailure.h"

#include "platform/processes.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// The run recorded as name, as the watch of a started game hands it over.
ProcessEnd recorded(const char* name)
{
    const QString run = QString::fromUtf8(name);
    const QList<QByteArray> end = testfiles::read(testfiles::recordedRun(run, ".end")).split(' ');
    return {end.value(0) == "signal", end.value(1).trimmed().toInt(),
            testfiles::read(testfiles::recordedRun(run)), false, 800};
}

// The lines of the recorded run of pacman that name a missing ROM.
QString missingRoms()
{
    QStringList lines;
    for (const char* rom : {"pacman.6e", "pacman.6f", "pacman.6h", "pacman.6j", "pacman.5e",
                            "pacman.5f", "82s123.7f", "82s126.4a", "82s126.1m", "82s126.3m"})
        lines.append(QString::fromUtf8(rom) + " NOT FOUND (tried in pacman puckman)");
    return lines.join(u'\n');
}

// The ALSA and XDG_RUNTIME_DIR lines around them say nothing about the game, nor does MAME's
// closing line, which the sentence says again; an ended run's code means something only to
// today's MAME. A system it does not know: the lines that say so, and the names it would take.
TEST(RunFailure, saysWhyInWordsWithTheLinesThatSayWhy)
{
    const struct
    {
        const char* run;
        MameDialect dialect;
        std::optional<QString> text; // how the text begins; nullopt: nothing is said
        qsizetype lines;
    } cases[] = {
        {"pong", MameDialect::Today, std::nullopt, 0},
        {"pacman", MameDialect::Today,
         "MAME could not start Pac-Man: required files are missing.\n\n" + missingRoms(), 12},
        {"pacman", MameDialect::Classic,
         "MAME running Pac-Man ended with exit code 2.\n\n" + missingRoms() +
             "\nFatal error: Required files are missing, the machine cannot be run.",
         13},
        {"pong-killed", MameDialect::Today,
         QStringLiteral("MAME running Pac-Man was ended by signal 9 (SIGKILL, killed)."), 1},
        {"nosuchgame", MameDialect::Today,
         QStringLiteral("MAME could not start Pac-Man: this MAME has no such system.\n\n"
                        "Unknown system 'nosuchgame'\n\"nosuchgame\" approximately matches the "
                        "following\nsupported machines (best match first):\nsc4game "),
         21},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.run);
        const ProcessEnd end = recorded(c.run);
        MameInfo mame;
        mame.dialect = c.dialect;
        const std::optional<RunFailure> failure = runFailure(mame, "Pac-Man", end);
        ASSERT_EQ(failure.has_value(), c.text.has_value());
        if (!failure)
            continue;
        EXPECT_TRUE(failure->text.startsWith(*c.text)) << failure->text.toStdString();
        EXPECT_EQ(failure->text.count(u'\n') + 1, c.lines);
        EXPECT_EQ(failure->details.toUtf8(), end.output);
    }
}

// Long outputs: the first lines of the reason, or the last ones before an end MAME did not
// choose, with what was left out counted.
TEST(RunFailure, aLongOutputIsShownInPartAndKeptWholeInTheDetails)
{
    const struct
    {
        int lines;
        bool signalled;
        const char* first; // the line after the sentence and the blank one
        const char* last;
    } cases[] = {
        {20, false, "rom1 NOT FOUND", "rom20 NOT FOUND"},
        {21, false, "rom1 NOT FOUND", "\u2026 and 1 more line"},
        {25, false, "rom1 NOT FOUND", "\u2026 and 5 more lines"},
        {25, true, "\u2026 5 earlier lines", "rom25 NOT FOUND"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        QByteArray output = "ALSA lib pcm.c:2666:(snd_pcm_open_noupdate) Unknown PCM default\n";
        for (int i = 1; i <= c.lines; ++i)
            output += "rom" + QByteArray::number(i) + " NOT FOUND\r\n\n";
        const ProcessEnd end{c.signalled, c.signalled ? 11 : 2, output, true, 100};
        MameInfo today;
        today.dialect = MameDialect::Today;
        const std::optional<RunFailure> failure = runFailure(today, "G", end);
        ASSERT_TRUE(failure);
        const QStringList lines = failure->text.split(u'\n');
        ASSERT_EQ(lines.size(), 2 + std::min(c.lines, 21));
        EXPECT_EQ(lines[2], QString::fromUtf8(c.first));
        EXPECT_EQ(lines.last(), QString::fromUtf8(c.last));
        EXPECT_TRUE(failure->details.endsWith(QString::fromUtf8(output)));
        EXPECT_TRUE(failure->details.startsWith("(MAME printed more"));
    }
}

} // namespace
