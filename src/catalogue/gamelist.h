#pragma once

#include <QObject>
#include <QString>

#include <functional>

class GameListModel;
class GameListView;
class QComboBox;
class QWidget;
struct Platform;

// The game list's loading and its list-type chooser.
class GameList final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameList)

public:
    using StatusReport = std::function<void(const QString&)>;

    GameList(Platform& platform, QWidget* window, GameListView* view, GameListModel* model,
             QComboBox* listTypeCombo, StatusReport reportStatus, QObject* parent = nullptr);

    // Rebuilds the list for the list type the chooser shows now: puts the columns back,
    // reads the game list file (the hack list file for home hacks) and keeps the games the
    // list type admits. A missing file is reported and leaves the rows as they were.
    void LoadGameList();

    // The user chose a list type: remember it, then load the list.
    void GamesListTypeCombo_Click();

    QString gameListPath() const;
    QString hackListPath() const;

private:
    Platform& m_platform;
    QWidget* m_window;
    GameListView* m_view;
    GameListModel* m_model;
    QComboBox* m_listTypeCombo;
    StatusReport m_reportStatus;
};

// The window caption after a load that shows count rows.
QString gamesAvailableCaption(int count);
QString loadingCaption();
