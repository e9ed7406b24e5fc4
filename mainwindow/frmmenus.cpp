// The main window's menus, options and housekeeping.
#include "frmmain.h"

#include "ctlnoteinput.h"
#include "uiplatform.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenuBar>

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
constexpr int kStartRateItem = 3;

} // namespace

void frmMain::buildMenus()
{
    mnuEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    mnuEditClear = mnuEdit->addAction(QStringLiteral("クリア(&C)"));
    connect(mnuEditClear, &QAction::triggered, this, &frmMain::Clear);

    mnuOption = menuBar()->addMenu(QStringLiteral("検索設定(&O)"));
    mnuOptionCode = mnuOption->addMenu(QStringLiteral("類似コード検索(&C)"));
    for (int i = 0; i < static_cast<int>(kRateItems.size()); ++i) {
        mnuOptionCodeRate[i] = mnuOptionCode->addAction(QString::fromUtf8(kRateItems[i].caption));
        mnuOptionCodeRate[i]->setCheckable(true);
        connect(mnuOptionCodeRate[i], &QAction::triggered, this, [this, i] { rateChosen(i); });
    }
    mnuOptionNotJazz = mnuOption->addAction(QStringLiteral("ジャズコードを検索しない(&J)"));
    mnuOptionNotJazz->setCheckable(true); // a trigger toggles the mark

    mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelpHowto = mnuHelp->addAction(QStringLiteral("使い方(&H)"));
    connect(mnuHelpHowto, &QAction::triggered, this, &frmMain::showHowTo);
    mnuHelpVersion = mnuHelp->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"));
    connect(mnuHelpVersion, &QAction::triggered, this, &frmMain::showVersion);
}

void frmMain::rateChosen(int item)
{
    for (QAction *action : mnuOptionCodeRate)
        action->setChecked(false);
    m_engine.MatchThreshold = static_cast<Note>(kRateItems[item].threshold);
    mnuOptionCodeRate[item]->setChecked(true);
}

void frmMain::Clear()
{
    m_isLoaded = false;
    for (auto *staff : ctlNoteInput)
        staff->setValue(1);
    Load();
}

void frmMain::showHowTo()
{
    const QString path = m_dataFolder + QStringLiteral("/使う前に.txt");
    // A viewer started on a missing file may show nothing at all, so the
    // missing file is reported here like a viewer that cannot start.
    if (!QFileInfo(path).isFile() || !m_dialogs.openInViewer(path))
        m_dialogs.exclamation(this, QStringLiteral("Chordvane"),
                              QStringLiteral("ファイルのオープンに失敗しました"));
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
