#include "programsession.h"

#include <QDir>
#include <QSettings>
#include <QThread>

#include <cmath>
#include <iostream>

namespace {

// The client area under the menu bar, in twips: the window keeps the size of its design.
constexpr int kClientWidth = 10092;
constexpr int kClientHeight = 7344;
constexpr QPoint kFirstRow{1620, 420}; // under the list's header

} // namespace

void ProgramSession::SetUp()
{
    ASSERT_TRUE(root.isValid());
    for (const char* sub : {"mame/INP", "mame/roms"})
        ASSERT_TRUE(QDir(root.path()).mkpath(sub));
    testfiles::installProgram(KORVANE_BINARY, path("korvane"));
    testfiles::installStandin(path("MAME"));
    testfiles::write(settingsFile(), "[Options]\nKvVersion=" KORVANE_VERSION "\n");
}

void ProgramSession::TearDown()
{
    // A failing case leaves a picture of the screen as it was, beside the test's log.
    if (HasFailure()) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        QDir().mkpath("e2e-screenshots");
        const QString shot = QDir::current().absoluteFilePath(
            QStringLiteral("e2e-screenshots/%1.%2.png")
                .arg(QLatin1StringView(test->test_suite_name()), QLatin1StringView(test->name())));
        std::cout << "Screenshot: " << (xdesktop::screenshot(shot) ? shot.toStdString() : "none")
                  << "\n";
    }
    stop();
    if (HasFailure())
        std::cout << "The program's output:\n" << readFile("../output.txt").data();
}

QString ProgramSession::setting(const QString& key) const
{
    return QSettings(settingsFile(), QSettings::IniFormat).value(key).toString();
}

QList<QStringList> ProgramSession::runs() const
{
    QList<QStringList> all;
    QStringList words;
    for (const QByteArray& line : readFile("standin-mame.log").split('\n')) {
        if (line == "run")
            words.clear();
        else if (line.startsWith("arg "))
            words.append(QString::fromUtf8(line.mid(4)));
        else if (line == "end" && words != QStringList{"-version"} &&
                 words != QStringList{"-showconfig"})
            all.append(words); // the program's questions of which MAME it is are not runs
    }
    return all;
}

void ProgramSession::launch()
{
    const QString home = root.filePath("home");
    QDir(home).mkpath("runtime");
    QFile::setPermissions(home + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_RUNTIME_DIR", home + "/runtime");
    env.insert("DISPLAY", xdesktop::display());
    env.insert("QT_QPA_PLATFORM", "xcb");
    // No /usr/games: an emulator of the machine must never answer for the stand-in.
    env.insert("PATH", "/usr/bin:/bin");
    for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI"})
        env.remove(name);
    // In a sanitizer build the strict string checks would stop the program at start-up inside
    // libxkbcommon-x11, which reads X replies with strndup past their end: not our code.
    if (env.contains("ASAN_OPTIONS"))
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");
    m_program.setProcessEnvironment(env);
    m_program.setWorkingDirectory(path(QString()));
    m_program.setProcessChannelMode(QProcess::MergedChannels);
    m_program.setStandardOutputFile(root.filePath("output.txt"), QIODevice::Append);
    m_program.start(path("korvane"), {});
}

::testing::AssertionResult ProgramSession::waitForMainWindow()
{
    const ::testing::AssertionResult shown = waitUntil(
        [&] {
            mainWindow = xdesktop::findWindow("^Brimwork's Korvane - [0-9]+ games available$")
                             .value_or(QString());
            return !mainWindow.isEmpty();
        },
        "the main window");
    // The width is the design's, so it gives the pixels per twip at Qt's logical DPI.
    const QSize frame = xdesktop::size(mainWindow);
    m_pixelsPerTwip = double(frame.width()) / kClientWidth;
    m_menuBarHeight = frame.height() - int(std::lround(kClientHeight * m_pixelsPerTwip));
    return shown;
}

void ProgramSession::stop()
{
    if (m_program.state() == QProcess::NotRunning)
        return;
    // A program that ended by itself met an error of its own (a sanitizer's report, say).
    if (m_program.waitForFinished(0))
        ADD_FAILURE() << "the program ended by itself, with status " << m_program.exitCode();
    m_program.kill();
    m_program.waitForFinished(10000);
    // The next start must not find this one's window.
    QElapsedTimer waited;
    waited.start();
    while (xdesktop::isViewable(mainWindow) && !waited.hasExpired(5000))
        QThread::msleep(50);
}

QPoint ProgramSession::toPixels(QPoint twips) const
{
    return QPoint(int(std::lround(twips.x() * m_pixelsPerTwip)),
                  m_menuBarHeight + int(std::lround(twips.y() * m_pixelsPerTwip)));
}

void ProgramSession::chooseRow(int row)
{
    clickAt(kFirstRow);
    press(QStringList{"Home"} + QStringList(row, "Down"));
}

void ProgramSession::chooseInCombo(QPoint twips, int steps)
{
    clickAt(twips);
    xdesktop::keys(QString(), QStringList(std::abs(steps), steps < 0 ? "Up" : "Down") << "Return");
}

void ProgramSession::chooseToolsItem(int position)
{
    xdesktop::click(mainWindow, QPoint(20, m_menuBarHeight / 2));
    xdesktop::keys(QString(), QStringList(position, "Down") << "Return");
}

::testing::AssertionResult ProgramSession::waitUntil(const std::function<bool()>& done,
                                                     const QString& what)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (m_program.state() == QProcess::NotRunning || m_program.waitForFinished(100))
            return ::testing::AssertionFailure()
                   << "the program ended, waiting for " << what.toStdString();
        if (waited.hasExpired(20000))
            return ::testing::AssertionFailure() << "timed out waiting for " << what.toStdString();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramSession::waitForCaption(int games)
{
    const QString expected = QStringLiteral("Brimwork's Korvane - %1 games available").arg(games);
    return waitUntil([&] { return xdesktop::title(mainWindow) == expected; },
                     "the caption " + expected);
}

::testing::AssertionResult ProgramSession::ranAs(int count, const QStringList& words)
{
    ::testing::AssertionResult ran =
        waitUntil([&] { return runs().size() >= count; }, QStringLiteral("MAME run %1").arg(count));
    if (ran && runs()[count - 1] != words)
        return ::testing::AssertionFailure()
               << "MAME got " << runs()[count - 1].join(u' ').toStdString() << " instead of "
               << words.join(u' ').toStdString();
    return ran;
}

::testing::AssertionResult ProgramSession::answer(const QString& title, const QString& key)
{
    // Seen twice in a row, so that a progress window on its way out is not taken for it.
    QString window;
    const QString pattern = u'^' + QString(title).replace(u'.', "\\.") + u'$';
    ::testing::AssertionResult shown = waitUntil(
        [&] {
            const QString seen = xdesktop::findWindow(pattern).value_or(QString());
            const bool again = !seen.isEmpty() && seen == window;
            window = seen;
            return again;
        },
        "a window titled " + title);
    if (!shown)
        return shown;
    xdesktop::keys(window, {key});
    return waitUntil([&] { return !xdesktop::isViewable(window); }, title + " to close");
}
