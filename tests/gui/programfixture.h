#pragma once

#include "fakes/fakeplatform.h"
#include "gameblocks.h"
#include "mame/mameinuse.h"
#include "options/optiontables.h"
#include "platform/appinfo.h"
#include "testfiles.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/desktop/picturebutton.h"
#include "ui/desktop/twips.h"
#include "ui/options/optioncontrols.h"
#include "ui/options/optionpanel.h"
#include "ui/shell/mainform.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>

// Test failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// The temporary folder of a test's program directory, made before the platform that uses it.
struct TemporaryProgramDir
{
    QTemporaryDir dir;
};

// A program directory in a temporary folder (with KvCfg and INP), fakes for the platform
// and, on demand, the main window built on them.
class ProgramFixture : public ::testing::Test, protected TemporaryProgramDir, protected FakePlatform
{
protected:
    ProgramFixture()
        : FakePlatform(dir.path())
    {
        QDir(dir.path()).mkpath("KvCfg");
        QDir(dir.path()).mkpath("INP");
    }

    QString path(const QString& relative) const { return QDir(dir.path()).filePath(relative); }
    void writeFile(const QString& relative, const QByteArray& bytes) const
    {
        testfiles::write(path(relative), bytes);
    }
    QByteArray read(const QString& relative) const { return testfiles::read(path(relative)); }
    void writeGames(const QByteArray& blocks) const { writeFile("KvCfg/Korvane.gam", blocks); }
    void writeHacks(const QByteArray& blocks) const { writeFile("KvCfg/Korvane.hck", blocks); }

    MainForm& window()
    {
        if (!form)
            form = std::make_unique<MainForm>(standin ? realPlatform : platform);
        return *form;
    }

    // As at the next start: a new window, and nothing said yet.
    void restart()
    {
        form.reset();
        messages.shown.clear();
    }

    // From now on the window runs the stand-in emulator, copied into the program directory
    // as MAME, for real; PATH is not searched, so no emulator of the machine is ever found.
    void useStandin()
    {
        testfiles::installStandin(path("MAME"));
        standin = true;
    }

    // The window after its start-up sequence, as the program brings it on screen: which MAME
    // is in use is asked then, from the event loop, not before the window shows.
    MainForm& started()
    {
        window().Form_Load();
        form->show();
        QCoreApplication::processEvents();
        return *form;
    }

    // The started window exposed, so that the list has laid out its rows.
    MainForm& shown()
    {
        started();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return *form;
    }

    // What the user does with the list type combo.
    void choose(int listType)
    {
        window().GamesListTypeCombo->setCurrentIndex(listType);
        form->gameList()->GamesListTypeCombo_Click();
    }

    // Selects a row of the list as the program would, without a click.
    void select(int row)
    {
        form->GamesListView->selectionModel()->select(form->games()->index(row, 0),
                                                      QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    }

    // A click in the middle of a row of the list on screen.
    void clickRow(int row)
    {
        QAbstractItemView* view = form->GamesListView->currentView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(form->games()->index(row, 0)).center());
    }

    QStringList names() { return window().gameList()->shownNames(); }

    // The command line of each start, its words joined by blanks.
    QStringList startedLines() const
    {
        QStringList lines;
        for (const auto& start : processes.started)
            lines.append(start.commandLine);
        return lines;
    }

    QString lastMessage() const
    {
        return messages.shown.isEmpty() ? QString() : messages.shown.last().text;
    }

    bool standin = false; // the window runs the stand-in emulator for real
    std::unique_ptr<MainForm> form;
};

inline QStringList comboTexts(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.append(combo.itemText(i));
    return texts;
}
