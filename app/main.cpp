#include "appicon.h"
#include "datafolder.h"
#include "frmmain.h"
#include "uiplatform.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char **argv)
{
    // Without a display Qt would abort with a core dump; say it plainly.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("Chordvane needs a graphical desktop: no display is set (DISPLAY).\n", stderr);
        return 1;
    }
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Chordvane"));
    app.setApplicationVersion(QStringLiteral(CHORDVANE_VERSION));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(chordvane::gothicFont(9));
    app.setWindowIcon(chordvane::appIcon());

    chordvane::QtDialogs dialogs;
    const QString dataFolder = QString::fromStdString(
        chordvane::FindDataFolder(QCoreApplication::applicationDirPath().toStdString()));
    chordvane::frmMain window(dialogs, dataFolder);
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
