// programlookup_test.cpp: which file the first word of a command line starts.

#include "platform/programlookup.h"

#include "testfiles.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

void populate(const QString& dir, const QStringList& entries)
{
    ASSERT_TRUE(QDir().mkpath(dir));
    for (const QString& entry : entries) {
        if (entry.endsWith(u'/'))
            ASSERT_TRUE(QDir(dir).mkpath(entry));
        else if (entry.startsWith(u'-'))
            testfiles::write(dir + u'/' + entry.mid(1), "#!/bin/sh\n");
        else
            testfiles::write(dir + u'/' + entry, "#!/bin/sh\n", true);
    }
}

// A program directory "prog", a PATH directory "path" and a system directory "games", side
// by side in a fresh temporary directory, which "ROOT" stands for. Names ending in '/' are
// directories, names starting with '-' are files without execute permission, all others
// executable files. The current directory is the PATH directory.
TEST(FindProgramTest, LooksInTheProgramDirectoryThenOnPath)
{
    using L = QStringList;
    const QString none;
    const struct
    {
        const char* what;
        QStringList programDir;
        QStringList pathDir;
        QString word;
        QString expected; // relative to the temporary directory; empty: nothing found
        QStringList systemDir = {};
        QString pathVariable = "ROOT/path";
    } cases[] = {
        {"exact name", L{"MAME"}, L{}, "MAME", "prog/MAME"},
        {"other case", L{"MAME"}, L{}, "mame", "prog/MAME"},
        {".exe dropped, any case", L{"mame"}, L{}, "Mame.Exe", "prog/mame"},
        {"exact name before a case match", L{"MAME", "mame"}, L{}, "mame", "prog/mame"},
        {"word with .exe before the word without", L{"mame", "mame.exe"}, L{}, "MAME.EXE",
         "prog/mame.exe"},
        {"program directory before PATH", L{"MAME"}, L{"mame"}, "mame", "prog/MAME"},
        {"PATH when the program directory lacks it", L{}, L{"mame"}, "MAME.EXE", "path/mame"},
        {"PATH name is lower case", L{}, L{"MAME"}, "MAME", none},
        {"not executable", L{"-MAME"}, L{}, "MAME", none},
        {"not executable, PATH has one", L{"-MAME"}, L{"mame"}, "MAME", "path/mame"},
        {"directory", L{"MAME/"}, L{}, "MAME", none},
        {"nothing anywhere", L{"other"}, L{"other"}, "MAME", none},
        {"empty word", L{"MAME"}, L{}, "", none},
        {"relative path", L{"bin/", "bin/mame"}, L{}, "bin/mame", "prog/bin/mame"},
        {"relative path keeps its case", L{"bin/", "bin/mame"}, L{"mame"}, "bin/MAME", none},
        {"path is not searched elsewhere", L{}, L{"mame"}, "./mame", none},
        {"absolute path", L{}, L{"mame"}, "ROOT/path/mame", "path/mame"},
        {"absolute path to nothing", L{}, L{"mame"}, "ROOT/path/mamex", none},
        {"system directory after the others", L{}, L{}, "MAME.EXE", "games/mame", L{"mame"}},
        {"PATH before the system directory", L{}, L{"mame"}, "mame", "path/mame", L{"mame"}},
        // Only absolute PATH entries are searched, not the current directory.
        {"empty PATH entries", L{}, L{"mame"}, "mame", none, L{}, "::"},
        {"a relative PATH entry", L{}, L{"mame"}, "mame", none, L{}, ".:"},
        {"the absolute entry among others", L{}, L{"mame"}, "mame", "path/mame", L{},
         ":/nonexistent::ROOT/path"},
    };
    const QString previous = QDir::currentPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        const QString programDir = root.filePath("prog");
        const QString pathDir = root.filePath("path");
        const QString systemDir = root.filePath("games");
        populate(programDir, c.programDir);
        populate(pathDir, c.pathDir);
        populate(systemDir, c.systemDir);
        ASSERT_TRUE(QDir::setCurrent(pathDir));
        const QString word = QString(c.word).replace("ROOT", root.path());
        const QString pathVariable = QString(c.pathVariable).replace("ROOT", root.path());
        const QString expected = c.expected.isEmpty() ? QString() : root.filePath(c.expected);
        EXPECT_EQ(findProgram(word, programDir, pathVariable, {systemDir}).toStdString(),
                  expected.toStdString());
        QDir::setCurrent(previous);
    }
}

} // namespace
