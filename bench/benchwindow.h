#pragma once

#include "fakes/fakeplatform.h"
#include "ui/shell/mainform.h"

#include <QCoreApplication>

// The main window on the real files and processes of a program directory, with the tests'
// fakes for the rest (message boxes answered at once), started as the program starts: the
// version notice already seen, and which MAME it is asked once the window shows.
struct BenchWindow : FakePlatform
{
    explicit BenchWindow(const QString& dir)
        : FakePlatform(dir)
        , form(realPlatform)
    {
        settings.values.insert({"Options", "KvVersion"}, QStringLiteral("%1.%2.%3")
                                                             .arg(KORVANE_VERSION_MAJOR)
                                                             .arg(KORVANE_VERSION_MINOR)
                                                             .arg(KORVANE_VERSION_REVISION));
        form.Form_Load();
        form.show();
        QCoreApplication::processEvents();
    }

    MainForm form;
};
