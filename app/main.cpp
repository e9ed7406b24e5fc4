#include "appicon.h"
#include "datafolder.h"
#include "frmmain.h"
#include "language.h"
#include "soundoutput.h"
#include "uiplatform.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>

int main(int argc, char **argv)
{
    // Past a file size limit a write comes back short (EFBIG), to be reported
    // like a full disk, instead of killing the program and its windows.
    std::signal(SIGXFSZ, SIG_IGN);
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

    chordvane::QtDialogs dialogs;
    const QString dataFolder = QString::fromStdString(
        chordvane::findDataFolder(QCoreApplication::applicationDirPath().toStdString()));
    QSettings settings; // the desktop's usual place for the options kept between runs
    // The language chosen in the menu last time, else the desktop's; the
    // windows and Qt's own dialogs speak it from the start.
    chordvane::Translation translation(dataFolder);
    const chordvane::Language language = chordvane::startLanguage(&settings);
    if (!translation.use(language)) {
        std::fprintf(stderr,
                     "Chordvane: the translation %s cannot be read; the windows stay in "
                     "Japanese.\n",
                     qUtf8Printable(translation.programFile(language)));
        translation.use(chordvane::Language::Japanese);
    }
    chordvane::sound::FluidPlayer player(chordvane::sound::soundFontFolders());
    chordvane::frmMain window(dialogs, player, dataFolder, &settings, &translation);
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
