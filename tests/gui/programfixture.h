#pragma once

#include "fakes/fakedesktop.h"
#include "fakes/fakemessageboxes.h"
#include "fakes/fakeprocesses.h"
#include "fakes/fakesettingsstore.h"
#include "platform/localfiles.h"
#include "platform/localprocesses.h"
#include "platform/platform.h"
#include "shell/mainform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>

// Test failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// A program directory in a temporary folder (with KvCfg and INP), fakes for the platform
// and, on demand, the main window built on them.
class ProgramFixture : public ::testing::Test
{
protected:
    ProgramFixture()
    {
        QDir(dir.path()).mkpath(QStringLiteral("KvCfg"));
        QDir(dir.path()).mkpath(QStringLiteral("INP"));
    }

    QString path(const QString& relative) const { return QDir(dir.path()).filePath(relative); }

    void writeFile(const QString& relative, const QByteArray& bytes) const
    {
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    MainForm& window()
    {
        if (!form)
            form = std::make_unique<MainForm>(standinPlatform ? *standinPlatform : platform);
        return *form;
    }

    // From now on the window runs the stand-in emulator, copied into the program directory
    // as MAME, for real; PATH is not searched, so no emulator of the machine is ever found.
    void useStandin()
    {
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(KORVANE_STANDIN_MAME), path(QStringLiteral("MAME"))));
        ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("MAME")),
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        standinPlatform.emplace(Platform{settings, files, messages, localProcesses, desktop,
                                         dialogs, windows, dir.path()});
    }

    // The window after its start-up sequence, once the event loop has run what start-up left
    // for it (which MAME is in use is asked then, not before the window shows).
    MainForm& started()
    {
        window().Form_Load();
        QCoreApplication::processEvents();
        return *form;
    }

    QTemporaryDir dir;
    FakeSettingsStore settings;
    LocalFiles files;
    FakeMessageBoxes messages;
    FakeProcesses processes;
    FakeDefaultHandler desktop;
    FakeModalDialogs dialogs;
    FakeTopLevelWindows windows;
    Platform platform{settings, files, messages, processes, desktop, dialogs, windows, dir.path()};
    LocalProcesses localProcesses{dir.path(), QString()};
    std::optional<Platform> standinPlatform;
    std::unique_ptr<MainForm> form;
};

// A game block of a -listinfo text, CR LF ended.
inline QByteArray gameBlock(const char* name, const char* description, const char* year,
                            const char* cloneof, const char* romof, const char* status)
{
    QByteArray block = QByteArray("game (\r\n\tname ") + name + "\r\n\tdescription \"" +
                       description + "\"\r\n\tyear " + year + "\r\n\tmanufacturer \"Maker\"\r\n";
    if (cloneof)
        block += QByteArray("\tcloneof ") + cloneof + "\r\n";
    if (romof)
        block += QByteArray("\tromof ") + romof + "\r\n";
    block += "\trom ( name a.1 size 1 crc 0 )\r\n";
    block += QByteArray("\tdriver ( status ") + status + " color good )\r\n)\r\n\r\n";
    return block;
}
