#pragma once

#include <QString>

class DefaultHandler;
class Files;
class MessageBoxes;
class ModalDialogs;
class Processes;
class SettingsStore;
class TopLevelWindows;

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
    TopLevelWindows& windows;
    // The directory of the running executable, symbolic links resolved: where MAME, KvCfg
    // and INP lie, and the working directory of every program started.
    QString programDir;
};
