#pragma once

#include "fakes/fakedesktop.h"
#include "fakes/fakemessageboxes.h"
#include "fakes/fakesettingsstore.h"
#include "platform/localfiles.h"
#include "platform/localprocesses.h"
#include "platform/platform.h"
#include "ui/shell/mainform.h"

#include <QCoreApplication>

// The main window on the real files and processes of a program directory, with the tests'
// fakes for the rest (message boxes answered at once), started as the program starts: the
// version notice already seen, and which MAME it is asked once the window shows.
struct BenchWindow
{
    explicit BenchWindow(const QString& dir)
        : processes(dir, QString())
        , platform{settings, files, messages, processes, desktop, dialogs, dir}
        , form(platform)
    {
        settings.values.insert({"Options", "KvVersion"}, QStringLiteral("%1.%2.%3")
                                                             .arg(KORVANE_VERSION_MAJOR)
                                                             .arg(KORVANE_VERSION_MINOR)
                                                             .arg(KORVANE_VERSION_REVISION));
        form.Form_Load();
        form.show();
        QCoreApplication::processEvents();
    }

    FakeSettingsStore settings;
    LocalFiles files;
    FakeMessageBoxes messages;
    LocalProcesses processes;
    FakeDefaultHandler desktop;
    FakeModalDialogs dialogs;
    Platform platform;
    MainForm form;
};
