// Writes the program's icon as PNG files for the desktop: iconwriter DIR
// creates DIR/<size>x<size>/apps/chordvane.png.
#include "appicon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: iconwriter DIR\n", stderr);
        return 2;
    }
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString dir =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(dir) ||
            !chordvane::iconImage(size).save(dir + QStringLiteral("/chordvane.png"))) {
            std::fprintf(stderr, "iconwriter: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
