#pragma once

#include <QString>
#include <QUrl>

// What the About dialog tells and where its buttons lead.

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
