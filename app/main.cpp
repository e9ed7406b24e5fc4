#include "appicon.h"
#include "datafolder.h"
#include "frmmain.h"
#include "soundoutput.h"
#include "uiplatform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QSettings>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
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
    app.setOrganizationName(QStringLiteral("Chordvane"));
    app.setApplicationName(QStringLiteral("Chordvane"));
    app.setApplicationVersion(QStringLiteral(CHORDVANE_VERSION));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(chordvane::gothicFont(9));
    app.setWindowIcon(chordvane::appIcon());
    // The windows speak Japanese; Qt's own dialogs (the file chooser, the
    // message boxes' buttons) should too, wherever the desktop's locale.
    QTranslator qtJapanese;
    if (qtJapanese.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtJapanese);

    chordvane::QtDialogs dialogs;
    const QString dataFolder = QString::fromStdString(
        chordvane::findDataFolder(QCoreApplication::applicationDirPath().toStdString()));
    QSettings settings; // the desktop's usual place for the options kept between runs
    chordvane::sound::FluidPlayer player(chordvane::sound::soundFontFolders());
    chordvane::frmMain window(dialogs, player, dataFolder, &settings);
    // Centred, but never with its menu bar above the screen's top.
    const QRect room = window.screen()->availableGeometry();
    QRect frame = window.rect();
    frame.moveCenter(room.center());
    window.move(std::max(frame.left(), room.left()), std::max(frame.top(), room.top()));
    window.show();
    // The SoundFont loads on a thread of its own once the window is up, so
    // that the first chord starts at once and start-up waits for nothing.
    QTimer::singleShot(0, &window, [&player] { player.preload(); });
    return app.exec();
}
