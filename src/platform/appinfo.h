#pragma once

#include <QString>
#include <QUrl>

// Who the program is: its title, its version, and where its documentation and its maker are.

// The program's title: the caption of every message box, the settings store's application
// name and the stem of the files named after the program (Korvane.gam, Korvane_VerifyReport.txt).
inline QString appTitle()
{
    return QStringLiteral("Korvane");
}

// The program's version as "major.minor.revision", each number in plain decimal
// ("0.9.965"). The version notice stores it; the dialog shows it after a "v".
QString programVersionText();

// The documentation page in the program's KvCfg directory, named after the program
// (<program dir>/KvCfg/Korvane.htm), as a file URL.
QUrl documentationUrl(const QString& programDir);

// The maker's home page.
QUrl homePageUrl();

// An e-mail to the maker, its subject the program's title followed by " program".
QUrl mailUrl();
