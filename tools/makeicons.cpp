// Writes the program's icon into an icon theme tree: OUTDIR/NxN/apps/korvane.png for each
// size N given, from the cabinet the window shows.
//   korvane-icons OUTDIR SIZE...

#include "ui/shell/artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: korvane-icons OUTDIR SIZE...\n");
        return 2;
    }
    for (const QString& arg : args.mid(2)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size < 1) {
            std::fprintf(stderr, "korvane-icons: not a size: %s\n", qPrintable(arg));
            return 2;
        }
        const QString dir = args[1] + QStringLiteral("/%1x%1/apps").arg(size);
        const QString file = dir + QStringLiteral("/korvane.png");
        if (!QDir().mkpath(dir) || !artwork::cabinetImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "korvane-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
