#pragma once

#include <QString>

class DefaultHandler;
class Files;
class MessageBoxes;
class ModalDialogs;
class Processes;
class SettingsStore;

// The platform services one running program uses, handed to each subsystem. The program
// builds the real ones in main(); tests build fakes.
struct Platform
{
    SettingsStore& settings;
    Files& files;
    MessageBoxes& messages;
    Processes& processes;
    DefaultHandler& desktop;
    ModalDialogs& dialogs;
    // The program directory (--dir, the binary's own directory when it holds KvCfg, or the
    // user's data directory): where MAME is looked for first, where KvCfg and INP lie, and
    // the working directory of every program started.
    QString programDir;
    // The program directory was made at this start (an installed program's first start), so
    // there can be no games list yet.
    bool newProgramDir = false;
};
