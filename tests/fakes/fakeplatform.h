#pragma once

#include "fakes/fakedesktop.h"
#include "fakes/fakemessageboxes.h"
#include "fakes/fakeprocesses.h"
#include "fakes/fakesettingsstore.h"
#include "platform/localfiles.h"
#include "platform/localprocesses.h"
#include "platform/platform.h"

#include <QString>

// The platform services of a program directory for tests and benchmarks: fakes for all but
// the files, which are the machine's (the directory is a temporary one). platform runs the
// fake processes; realPlatform runs programs for real, in the directory only (PATH and the
// system's directories are never searched, so no emulator of the machine is ever found).
struct FakePlatform
{
    explicit FakePlatform(const QString& programDir)
        : localProcesses(programDir, QString())
        , platform{settings, files, messages, processes, desktop, dialogs, programDir, false}
        , realPlatform{settings, files,   messages,   localProcesses,
                       desktop,  dialogs, programDir, false}
    {}

    FakeSettingsStore settings;
    LocalFiles files;
    FakeMessageBoxes messages;
    FakeProcesses processes;
    LocalProcesses localProcesses;
    FakeDefaultHandler desktop;
    FakeModalDialogs dialogs;
    Platform platform;
    Platform realPlatform;
};
