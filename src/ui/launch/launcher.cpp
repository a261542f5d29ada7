#include "ui/launch/launcher.h"

#include "catalogue/listtype.h"
#include "mame/mameinuse.h"
#include "mame/recordingslisting.h"
#include "mame/runfailure.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "platform/processes.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {

// What is kept of a game's output: all MAME prints about a start that fails and more, while
// a game that prints without end costs no more than this however long it runs.
constexpr qsizetype kKeptOutputBytes = 1 << 20;

// A recording's name: its file's name without the last four characters, the extension.
QString withoutExtension(const QString& fileName)
{
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}

} // namespace

Launcher::Launcher(Platform& platform, MameInUse& mameInUse, Host host, Controls controls,
                   QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_mameInUse(mameInUse)
    , m_host(std::move(host))
    , m_controls(controls)
    , m_changes(new QTimer(this))
    , m_playbackMenu(new QMenu(controls.PlaybackCombo))
{
    // Changes come in bursts (a file made, then renamed): one refill for a burst.
    m_changes->setSingleShot(true);
    m_changes->setInterval(100);
    connect(m_changes, &QTimer::timeout, this, &Launcher::recordingsChanged);
    connect(m_controls.PlayButton, &QPushButton::clicked, this, &Launcher::PlayButton_Click);
    connect(m_controls.Command2, &QPushButton::clicked, this, &Launcher::Command2_Click);
    // Playback answers the mouse press itself, not the click, so it is not connected to
    // clicked: a press starts the game, and the keyboard's activation does nothing.
    m_controls.Command1->installEventFilter(this);

    QAction* remove = m_playbackMenu->addAction(QStringLiteral("Delete recording..."));
    remove->setObjectName(QStringLiteral("DeleteRecordingMenu"));
    connect(remove, &QAction::triggered, this, &Launcher::DeleteRecordingMenu_Click);
    QComboBox* combo = m_controls.PlaybackCombo;
    combo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(combo, &QWidget::customContextMenuRequested, this, [this, combo, remove](QPoint at) {
        remove->setEnabled(combo->currentIndex() >= 0);
        m_playbackMenu->popup(combo->mapToGlobal(at));
    });
}

bool Launcher::namesArePassable(Input input, const std::optional<SelectedGame>& game, int listType)
{
    std::optional<QString> recordingName;
    if (input == Input::Record)
        recordingName = m_controls.RecText->text();
    else if (input == Input::Playback)
        recordingName = withoutExtension(m_controls.PlaybackCombo->currentData().toString());
    const std::optional<QString> refusal = refusedLaunchNames(game, listType, recordingName);
    if (!refusal)
        return true;
    m_platform.messages.show(*refusal + QStringLiteral(" Nothing was started."), appTitle(),
                             MessageButtons::Ok);
    return false;
}

void Launcher::LaunchGame(Input input)
{
    const OptionSet options = m_host.options();
    std::optional<SelectedGame> game = m_host.selectedGame();
    int listType = m_host.listType();
    const std::optional<Recording> recording =
        input == Input::Playback ? chosenRecording() : std::nullopt;
    if (recording && recording->machine)
        takeRecordedGame(*recording->machine, game, listType);
    if (!namesArePassable(input, game, listType))
        return;

    const std::optional<QString> word = programWord(options);
    const MameInfo dialect = m_mameInUse.identifyOptions().value_or(MameInfo());

    CommandLine extraSwitches;
    if (input == Input::Record) {
        // The name goes to MAME as the user left it, as one word; MAME adds the directory.
        extraSwitches = recordSwitches(m_controls.RecText->text(), dialect);
    } else if (recording) {
        extraSwitches =
            playbackSwitches(withoutExtension(recording->fileName), recording->fileName, dialect);
    }

    const CommandLine line =
        BuildCommandLine(options, game, listType, extraSwitches, m_platform.messages, dialect);
    m_controls.CommandlineLabel->setText(line.text);
    if (!word) {
        // Without a program word the line would start whatever its first word names.
        m_host.reportStatus(QStringLiteral(
            "No MAME build is named: choose Original MAME or type the alternate build's name."));
        return;
    }
    StartedGame started{game ? game->name : QString(),
                        game ? game->description : QString(),
                        QDateTime::currentDateTimeUtc(),
                        dialect,
                        std::nullopt,
                        {}};
    if (input == Input::Record) {
        started.recording = m_controls.RecText->text();
        started.recordingsBefore = recordingFiles(*started.recording);
    }
    ProcessWatch watch{this, kKeptOutputBytes,
                       [this, started](const ProcessEnd& end) { gameEnded(started, end); }};
    const ProcessStart start = m_platform.processes.StartProcess(
        {line.words.first(), line.words.mid(1)}, WindowStyle::MaximizedWithFocus, std::move(watch));
    if (start.taskId == 0) {
        m_host.reportStatus(QStringLiteral("The game could not be started: %1.")
                                .arg(start.error.isEmpty() ? start.program : start.error));
    }
}

void Launcher::gameEnded(const StartedGame& game, const ProcessEnd& end)
{
    const std::optional<RunFailure> failure = runFailure(game.mame, game.description, end);
    if (!failure) {
        if (!game.name.isEmpty() && m_host.played)
            m_host.played({game.name, game.start, (end.milliseconds + 500) / 1000},
                          game.description);
        return;
    }
    QString text = failure->text;
    if (game.recording && leavesEmptyRecording(end))
        text += removeEmptyRecording(game);
    m_platform.messages.show(text, appTitle(), MessageButtons::Ok, failure->details);
}

QStringList Launcher::recordingFiles(const QString& name) const
{
    QStringList files =
        m_platform.files.filesWithSuffix(m_controls.INPFile->directory(), QStringLiteral(".inp"));
    files.removeIf([&name](const QString& file) {
        return QStringView(file).chopped(4).compare(name, Qt::CaseInsensitive) != 0;
    });
    return files;
}

QString Launcher::removeEmptyRecording(const StartedGame& game)
{
    // A file that was there before is an older recording under the same name, which this
    // run may have written over but did not make: it stays.
    QStringList made = recordingFiles(*game.recording);
    made.removeIf([&game](const QString& file) { return game.recordingsBefore.contains(file); });
    if (made.isEmpty())
        return {};
    QString said;
    const QDir directory(m_controls.INPFile->directory());
    for (const QString& file : made) {
        QString error;
        if (m_platform.files.remove(directory.filePath(file), &error))
            said += QStringLiteral("\n\nThe recording it began, %1, was removed.").arg(file);
        else
            said += QStringLiteral("\n\nThe recording it began, %1, could not be removed: %2.")
                        .arg(file, error);
    }
    recordingsChanged();
    return said;
}

void Launcher::PlayButton_Click()
{
    LaunchGame(Input::Play);
}

void Launcher::Command2_Click()
{
    LaunchGame(Input::Record);
}

void Launcher::Command1_MouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        m_controls.INPFile->refresh();
        FillPlaybackList();
        reportMissingRecordingsDirectory();
        return;
    }
    QComboBox* combo = m_controls.PlaybackCombo;
    if (combo->currentIndex() < 0) {
        m_host.reportStatus(QStringLiteral("There is no recording to play back."));
        return;
    }
    LaunchGame(Input::Playback);
}

void Launcher::FillPlaybackList()
{
    QComboBox* combo = m_controls.PlaybackCombo;
    combo->clear();
    const RecordingsListing& listing = *m_controls.INPFile;
    for (int i = 0; i < listing.count(); ++i)
        combo->addItem(entryText(listing.recording(i)), listing.name(i));
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

QString Launcher::entryText(const Recording& recording) const
{
    QStringList parts{withoutExtension(recording.fileName)};
    if (recording.machine)
        parts.append(gameName(*recording.machine));
    if (recording.modified.isValid())
        parts.append(QLocale::system().toString(recording.modified.date(), QLocale::ShortFormat));
    return parts.join(u" \u2014 ");
}

QString Launcher::gameName(const QString& machine) const
{
    const QString description = m_host.gameDescription(machine);
    return description.isEmpty() ? machine : description;
}

void Launcher::gameListChanged()
{
    QComboBox* combo = m_controls.PlaybackCombo;
    const RecordingsListing& listing = *m_controls.INPFile;
    for (int i = 0; i < std::min(combo->count(), listing.count()); ++i)
        combo->setItemText(i, entryText(listing.recording(i)));
}

std::optional<Recording> Launcher::chosenRecording() const
{
    const int index = m_controls.PlaybackCombo->currentIndex();
    if (index < 0 || index >= m_controls.INPFile->count())
        return std::nullopt;
    return m_controls.INPFile->recording(index);
}

void Launcher::takeRecordedGame(const QString& machine, std::optional<SelectedGame>& game,
                                int& listType) const
{
    // A home hack runs its parent's machine, which a recording of it names.
    if (game && (listType == HomeHacks ? game->cloneof : game->name) == machine)
        return;
    game = SelectedGame{machine, QString(), gameName(machine)};
    listType = FullList;
}

void Launcher::DeleteRecordingMenu_Click()
{
    const std::optional<Recording> recording = chosenRecording();
    if (!recording)
        return;
    const QString name = withoutExtension(recording->fileName);
    if (m_platform.messages.show(QStringLiteral("Delete the recording %1?").arg(name), appTitle(),
                                 MessageButtons::YesNo) != MessageAnswer::Ok)
        return;
    QString error;
    const QString path = QDir(m_controls.INPFile->directory()).filePath(recording->fileName);
    if (!m_platform.files.remove(path, &error)) {
        m_platform.messages.show(
            QStringLiteral("The recording %1 could not be deleted: %2.").arg(name, error),
            appTitle(), MessageButtons::Ok);
    }
    recordingsChanged();
}

void Launcher::listRecordings()
{
    RecordingsListing& listing = *m_controls.INPFile;
    // The pattern first: the listing reads the directory as soon as both are known.
    listing.setPattern(QStringLiteral("*.INP"));
    listing.setDirectory(QDir(m_platform.programDir).filePath(QStringLiteral("INP")));
    FillPlaybackList();
    reportMissingRecordingsDirectory();
    m_watch = m_platform.files.watchDirectory(listing.directory(), [this] { m_changes->start(); });
}

void Launcher::recordingsChanged()
{
    QComboBox* combo = m_controls.PlaybackCombo;
    const QVariant chosen = combo->currentData();
    m_controls.INPFile->refresh();
    FillPlaybackList();
    const int index = combo->findData(chosen);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

void Launcher::reportMissingRecordingsDirectory()
{
    const QString directory = m_controls.INPFile->directory();
    if (!m_platform.files.isDirectory(directory)) {
        m_host.reportStatus(
            QStringLiteral("The recordings directory %1 does not exist: recordings cannot be "
                           "listed.")
                .arg(QDir::toNativeSeparators(directory)));
    }
}

bool Launcher::eventFilter(QObject* watched, QEvent* event)
{
    // A quick second press arrives as a double click; it is a press all the same.
    if (watched == m_controls.Command1 &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick))
        Command1_MouseDown(static_cast<QMouseEvent*>(event)->button());
    return QObject::eventFilter(watched, event);
}
