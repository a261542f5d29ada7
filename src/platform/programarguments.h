#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of the program.
struct ProgramArguments
{
    // The directory named with --dir, as given; empty when none is named.
    QString dir;
    // Set when the program ends at once, with this exit code, after printing the texts
    // below: for --help, --version and a command line it cannot take.
    std::optional<int> exitCode;
    QString standardOutput;
    QString standardError;
};

// Reads the command line, the program's name first. Qt's own options (-style, -platform,
// -display, ...) pass unremarked: QApplication takes them.
ProgramArguments parseProgramArguments(const QStringList& arguments);
