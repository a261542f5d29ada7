#pragma once

#include <QString>

// The program's title: the caption of every message box, the settings store's application
// name and the stem of the files named after the program (Korvane.gam, Korvane_VerifyReport.txt).
inline QString appTitle()
{
    return QStringLiteral("Korvane");
}
