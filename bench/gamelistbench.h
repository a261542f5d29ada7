#pragma once

#include <QString>
#include <QtGlobal>

class MainForm;
struct SyntheticCatalogue;

// The main window with the generated catalogue loaded (checked once), shared by the list's
// benchmarks, and its program directory.
MainForm& gameListBenchWindow();
const QString& benchProgramDir();

// Lends the generated catalogue to the benchmarks while it lives, and owns the main window
// they load it into. main() creates it after the QApplication, so the window goes first.
class GameListBenchScope final
{
    Q_DISABLE_COPY_MOVE(GameListBenchScope)

public:
    explicit GameListBenchScope(const SyntheticCatalogue& catalogue);
    ~GameListBenchScope();
};
