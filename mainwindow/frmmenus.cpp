// The main window's menus, options and housekeeping.
#include "frmmain.h"

#include "ctlnoteinput.h"
#include "readmewindow.h"
#include "uiplatform.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QSettings>
#include <QSignalBlocker>

namespace chordvane {

namespace {

struct RateItem {
    const char *caption;
    int threshold;
};
constexpr std::array<RateItem, 6> kRateItems = {{
    {"合致度 10%～", 10},
    {"合致度 30%～", 30},
    {"合致度 50%～", 50},
    {"合致度 65%～", 65},
    {"合致度 75%～", 75},
    {"完全一致検索", 100},
}};

const QString kRankByRateKey = QStringLiteral("search/rankByRate");

struct SoundItem {
    const char *caption;
    const char *key; // as kept in the settings, and as chordvane-find --sound names it
    sound::ChordSound sound;
};
constexpr std::array<SoundItem, 4> kSoundItems = {{
    {"オルガン(&O)", "organ", sound::ChordSound::Organ},
    {"ストリングス(&S)", "strings", sound::ChordSound::Strings},
    {"ブラス(&B)", "brass", sound::ChordSound::Brass},
    {"ピアノ(&P)", "piano", sound::ChordSound::Piano},
}};
const QString kChordSoundKey = QStringLiteral("playback/sound");

} // namespace

void frmMain::buildMenus()
{
    mnuEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    mnuEditClear = mnuEdit->addAction(QStringLiteral("クリア(&C)"));
    connect(mnuEditClear, &QAction::triggered, this, &frmMain::clear);
    mnuEditPlay = mnuEdit->addAction(QStringLiteral("試聴(&P)"));
    connect(mnuEditPlay, &QAction::triggered, this, &frmMain::playRows);

    mnuOption = menuBar()->addMenu(QStringLiteral("検索設定(&O)"));
    mnuOptionCode = mnuOption->addMenu(QStringLiteral("類似コード検索(&C)"));
    // One rate at a time; the group also gives the items radio bullets, as
    // the instruments below have.
    auto *rateGroup = new QActionGroup(mnuOptionCode);
    for (int i = 0; i < static_cast<int>(kRateItems.size()); ++i) {
        mnuOptionCodeRate[i] = mnuOptionCode->addAction(QString::fromUtf8(kRateItems[i].caption));
        mnuOptionCodeRate[i]->setCheckable(true);
        rateGroup->addAction(mnuOptionCodeRate[i]);
        connect(mnuOptionCodeRate[i], &QAction::triggered, this, [this, i] { rateChosen(i); });
    }
    mnuOptionNotJazz = mnuOption->addAction(QStringLiteral("ジャズコードを検索しない(&J)"));
    mnuOptionNotJazz->setCheckable(true); // a trigger toggles the mark
    m_rankByRate = mnuOption->addAction(QStringLiteral("合致度の高い順に並べる(&R)"));
    m_rankByRate->setCheckable(true);
    if (m_settings)
        m_rankByRate->setChecked(m_settings->value(kRankByRateKey, false).toBool());
    connect(m_rankByRate, &QAction::toggled, this, &frmMain::rankByRateChosen);

    mnuOptionSound = mnuOption->addMenu(QStringLiteral("試聴の音色(&S)"));
    auto *soundGroup = new QActionGroup(mnuOptionSound); // one instrument at a time
    const QString kept = m_settings ? m_settings->value(kChordSoundKey).toString() : QString();
    int chosen = static_cast<int>(kSoundItems.size()) - 1; // piano unless another was kept
    for (int i = 0; i < static_cast<int>(kSoundItems.size()); ++i) {
        mnuOptionSoundItem[i] =
            mnuOptionSound->addAction(QString::fromUtf8(kSoundItems[i].caption));
        mnuOptionSoundItem[i]->setCheckable(true);
        soundGroup->addAction(mnuOptionSoundItem[i]);
        connect(mnuOptionSoundItem[i], &QAction::triggered, this,
                [this, i] { chordSoundChosen(i); });
        if (kept == QLatin1String(kSoundItems[i].key))
            chosen = i;
    }
    mnuOptionSoundItem[chosen]->setChecked(true);
    m_playback.setChordSound(kSoundItems[chosen].sound);

    mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelpHowto = mnuHelp->addAction(QStringLiteral("使い方(&H)"));
    connect(mnuHelpHowto, &QAction::triggered, this, &frmMain::showHowTo);
    mnuHelpVersion = mnuHelp->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"));
    connect(mnuHelpVersion, &QAction::triggered, this, &frmMain::showVersion);
}

void frmMain::rateChosen(int item)
{
    m_engine.MatchThreshold = static_cast<Note>(kRateItems[item].threshold);
    mnuOptionCodeRate[item]->setChecked(true);
}

void frmMain::rankByRateChosen(bool checked)
{
    if (m_settings) {
        m_settings->setValue(kRankByRateKey, checked);
        m_settings->sync(); // kept even if the program does not end normally
    }
}

void frmMain::chordSoundChosen(int item)
{
    m_playback.setChordSound(kSoundItems[item].sound);
    if (m_settings) {
        m_settings->setValue(kChordSoundKey, QString::fromUtf8(kSoundItems[item].key));
        m_settings->sync();
    }
}

void frmMain::clear()
{
    m_isLoaded = false;
    for (InstrumentRow *row : m_rows) {
        const QSignalBlocker quiet(row->ctlNoteInput()); // Load blanks the rows
        row->ctlNoteInput()->setValue(1);
    }
    Load();
    emit rowsChanged(); // once, for all the rows Load emptied
}

void frmMain::showHowTo()
{
    const QString path =
        QFileInfo(m_dataFolder + QStringLiteral("/使う前に.txt")).absoluteFilePath();
    // A viewer started on a missing file may show nothing at all, so the
    // missing file is reported here, with where it was looked for.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_dialogs.exclamation(this, QStringLiteral("Chordvane"),
                              QStringLiteral("ファイルのオープンに失敗しました\n") +
                                  QDir::toNativeSeparators(path));
        return;
    }
    // Help always shows something: a desktop without a viewer that takes
    // the file gets the program's own window.
    m_dialogs.openInViewer(this, path,
                           [this, text = QString::fromUtf8(file.readAll())](bool shown) {
                               if (shown)
                                   return;
                               if (!m_readMe)
                                   m_readMe = new ReadMeWindow(this);
                               m_readMe->showText(text);
                           });
}

void frmMain::showVersion()
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    // The project version is major.minor.revision, plain decimals.
    const QString text =
        QStringLiteral("%1 Ver.%2\n\n%3")
            .arg(program, QStringLiteral(CHORDVANE_VERSION), QString::fromUtf8(kCopyright));
    m_dialogs.information(this, QStringLiteral("Chordvane"), text);
}

} // namespace chordvane
