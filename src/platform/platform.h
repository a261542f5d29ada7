#pragma once

#include <QString>

class Files;
class MessageBoxes;
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
    // The directory of the running executable, symbolic links resolved: where MAME, KvCfg
    // and INP lie, and the working directory of every program started.
    QString programDir;
};
