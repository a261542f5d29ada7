#pragma once

#include "mame/mame.h"
#include "mame/mamerun.h"
#include "platform/processes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Verifying ROM sets through MAME: the commands, what MAME answers for one set and for many,
// how its answers are judged, and the report of a run over many sets.

// The command that verifies names: the classic MAME verifies one set a run ("MAME.EXE NAME
// -verifyroms"), today's MAME all of them ("MAME.EXE -verifyroms NAME...", every set it knows
// without a name). The names must be usable set names (mamewords.h).
Command verifyCommand(const MameInfo& mame, const QStringList& names);

// A run of MAME over many sets: its command, and the names it judges, in their order.
struct VerifyRun
{
    Command command;
    QStringList names;

    friend bool operator==(const VerifyRun&, const VerifyRun&) = default;
};

// The runs that verify names, in their order: one name a run for the classic MAME. Today's
// MAME, when names are every game of the catalogue, is run once without a name: it then
// verifies every set it has, in half the time it takes over the same sets named (it looks for
// each named set on its own). Otherwise as many names a run as a command line of limit
// characters holds.
QList<VerifyRun> verifyRuns(const MameInfo& mame, const QStringList& names, bool everyGame,
                            qsizetype limit);

// Whether verifyRuns gives one run without a name.
bool verifiesInOnePass(const MameInfo& mame, bool everyGame);

// Where the standard error of a run that verifies one set goes: today's MAME says there why
// a set is absent, which the user is shown; the classic MAME's answer is its output alone.
ErrorOutput oneSetErrors(const MameInfo& mame);

// The most of one set's answer that is read; a longer answer is not MAME's.
qint64 largestOneSetAnswer(const MameInfo& mame);

// What the user is told of one set (see verifyMessage), from its answer (the first
// largestOneSetAnswer + 1 bytes of it) and how the run ended. A run that crashed is not good,
// whatever it printed. nullopt when there is no answer to judge: none, an empty one for
// today's MAME, one that is too long.
std::optional<QString> oneSetMessage(const MameInfo& mame, const QString& name,
                                     const std::optional<QByteArray>& answer,
                                     const EmulatorRunResult& run);

// The answer of a run over many sets, read as MAME writes it, a piece at a time: a run over
// thousands of sets writes megabytes, and takes long enough to want its progress shown.
class VerifyAnswer
{
public:
    // The answer of a run of mame over names (a VerifyRun's).
    VerifyAnswer(const MameInfo& mame, const QStringList& names);

    void take(QByteArrayView piece);
    // The answer has ended: a last line without its line end counts too.
    void finish();

    // The names the answer calls good so far.
    const QSet<QString>& good() const { return m_good; }
    // How many of the names MAME is done with so far, by the verdicts it has given: it gives
    // them in the order of the set names, skipping the sets it has no files for.
    int done() const { return m_done; }

private:
    void readLine(QByteArrayView line);

    bool m_manySets;
    QStringList m_inOrder; // the names, in MAME's order
    QSet<QString> m_good;
    int m_done = 0;
    int m_lines = 0;
    QByteArray m_line;      // the line being read
    bool m_tooLong = false; // ... is longer than any verdict: it is skipped
};

// The answers themselves, for the tests and the functions above.

// The line that opens the output of a good set, compared whole and exactly.
inline constexpr QStringView kVerifySuccessLine = u"1 romsets found, 1 were OK.";

// At most this many lines of one set's output are read; a longer output is not MAME's.
inline constexpr int kVerifyMaxLines = 51;

// The lines of an output, without their line ends (CR LF or LF). nullopt when it holds no
// line at all (an empty output) or more than kVerifyMaxLines.
std::optional<QStringList> verifyOutputLines(QByteArrayView output);

// The first line of an output; empty for an empty output.
QString verifyFirstLine(QByteArrayView output);

// What the user is told of one set: "Romset NAME correct..." when it is good, else
// "Romset NAME incorrect..." followed by an empty line and the output's lines, one a line
// (CR LF between them).
QString verifyMessage(const QString& name, bool good, const QStringList& lines);

// The same for the classic MAME, whose set is good when the first line is the success line
// and the run did not crash; a crash adds kVerifyCrashedLine to the lines shown.
QString verifyMessage(const QString& name, const QStringList& lines, bool crashed = false);

// The last line shown of a run that crashed.
inline constexpr QStringView kVerifyCrashedLine =
    u"MAME crashed before it had finished: the set is not taken for good.";

// A name from the list, without the spaces at its ends (tabs are kept).
QString trimSpaces(const QString& name);

// Today's MAME answers for many sets in one run. For each set it has files for (or that needs
// none), once and in catalogue order (the order of the set names), it writes a line per bad
// ROM and then "romset NAME is good", "romset NAME [PARENT] is good", "... is best available"
// or "... is bad"; a set it has no files for and a name it does not know get no such line.
// Run without a name, it verifies every game it knows, then every device, and ends with
// "N romsets found, M were OK.".

// The names of the sets that an output of today's MAME calls good or best available. A
// line counts only whole and exact: "romset ", the name, " [PARENT]" or nothing, then
// " is good" or " is best available", with or without a CR before its LF.
QSet<QString> goodSets(QByteArrayView output);

// At most this many lines of today's MAME's output are shown for one set.
inline constexpr int kVerifyShownLines = 50;

// The lines of an output as the user is shown them: the first kVerifyShownLines, then
// "… and N more lines" ("… and 1 more line") when N more follow. Empty for an empty output.
QStringList shownVerifyLines(QByteArrayView output);

// The names, in their order, split into the runs of today's MAME that verify them. A run's
// command line is fixedLength characters, then a space and the name for each of its names,
// and stays within limit; a name too long for that still gets a run of its own.
QList<QStringList> verifyBatches(const QStringList& names, qsizetype fixedLength, qsizetype limit);

// How many sets of a run over many were good and not, as the user is told: "165 sets are good,
// 39,207 are not." ("1 set is good", "1 is not").
QString verifyCounts(qsizetype good, qsizetype notGood);

// A count as verifyCounts writes it: with a comma between thousands, whatever the locale.
QString countWithSeparators(qsizetype number);

// The report of a run over many sets: its two heading lines and one line per set that was
// not good, CR LF after each.
QByteArray verifyReport(const QStringList& notGood);
