#pragma once

#include <QString>

// The directory of the running executable, symbolic links resolved, so that a link in
// ~/bin to the binary in the MAME directory finds MAME, KvCfg and INP there.
QString binaryDirectory();

// The user's data directory: $XDG_DATA_HOME, else ~/.local/share.
QString userDataHome();

// Where an installed program keeps its user guide: <prefix>/share/doc/korvane/Korvane.htm
// for a binary in <prefix>/bin.
QString installedGuidePath(const QString& binaryDir);

// The program directory: where MAME is looked for first, where KvCfg and INP lie, the
// working directory of every program started and the base of every file name.
struct ProgramDirChoice
{
    QString dir;
    // Whether KvCfg, INP and the user guide are to be put there when missing: never so for
    // the binary's directory taken for the KvCfg it holds.
    bool prepare;
};

// The directory named with --dir (a relative one taken from currentDir), else the binary's
// directory when it holds KvCfg (or dataHome is empty), else <dataHome>/Korvane. Looks at the
// disk, changes nothing.
ProgramDirChoice chooseProgramDirectory(const QString& binaryDir, const QString& dirArgument,
                                        const QString& dataHome, const QString& currentDir);

// Creates the directory with KvCfg and INP in it where they are missing, and copies the user
// guide from guideSource into KvCfg when it is not there yet and the source exists. False,
// with a sentence for the user in *error, when something could not be made. *madeKvCfg, when
// given, tells whether KvCfg was made now.
bool prepareProgramDirectory(const QString& dir, const QString& guideSource, QString* error,
                             bool* madeKvCfg = nullptr);
