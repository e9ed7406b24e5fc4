// The window's start as app/main.cpp makes it, ended at the first paint:
// time the whole process from outside (/usr/bin/time, or a benchmark
// harness for commands) for the time from exec to the first paint. With
// --soundfont it then loads the SoundFont as the program does once the
// window is up, and prints the resident memory at the first paint and with
// the SoundFont loaded. Offscreen unless QT_QPA_PLATFORM says otherwise.
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
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// Quits the event loop once the first paint has gone through.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool m_seen = false;
};

long statusKiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    const std::size_t length = std::strlen(field);
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, length, field) == 0)
            return std::stol(line.substr(length + 1));
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    const bool soundFont = argc > 1 && std::strcmp(argv[1], "--soundfont") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(chordvane::gothicFont(9));
    app.setWindowIcon(chordvane::appIcon());
    QTranslator qtJapanese;
    if (qtJapanese.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtJapanese);

    chordvane::QtDialogs dialogs;
    const QString dataFolder =
        QString::fromStdString(chordvane::findDataFolder(CHORDVANE_DATA_DIR));
    // Settings of its own, so that the user's do not change what starts.
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    chordvane::sound::FluidPlayer player(chordvane::sound::soundFontFolders());
    chordvane::frmMain window(dialogs, player, dataFolder, &settings);
    window.move(window.screen()->availableGeometry().topLeft());
    window.show();
    app.exec();
    if (!soundFont)
        return 0;
    const long painted = statusKiB("VmRSS:");
    player.preload();
    player.play({}); // waits for the SoundFont; without a sound server it stays loaded
    std::printf("resident KiB: %ld at the first paint, %ld with %s loaded (peak %ld)\n", painted,
                statusKiB("VmRSS:"), player.soundFont().c_str(), statusKiB("VmHWM:"));
    return 0;
}
