#pragma once

#include <QString>
#include <QStringList>

// Finds the program that the first word of a command line names, in this order:
//   1. a file of exactly that name in programDir;
//   2. a file in programDir whose name equals the word, or the word without a trailing
//      ".exe" (in any letter case), letter case ignored;
//   3. that name in lower case, without ".exe", in the directories of pathVariable
//      (':'-separated, searched in order), then in systemDirectories (where the system
//      installs programs that not every PATH holds, such as /usr/games).
// So `MAME`, `MAME.EXE` and `mame` all find a `MAME` or `mame` in the program directory,
// and otherwise the system's `mame`. A word holding '/' is a path, relative to programDir
// unless absolute, and is looked for there only, exactly as written.
// Returns the absolute path of the program, or an empty string when none is found.
QString findProgram(const QString& word, const QString& programDir, const QString& pathVariable,
                    const QStringList& systemDirectories = {});
