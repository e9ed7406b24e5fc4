// The main window's menus, options and housekeeping.
#include "frmmain.h"

#include "ctlnoteinput.h"
#include "readmewindow.h"
#include "rowhistory.h"
#include "staffmodel.h"
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
#include <QUndoStack>

namespace chordvane {

namespace {

// The rates of the similar-chord search; 100 finds exact chords only.
constexpr std::array<int, 6> kRateItems = {10, 30, 50, 65, 75, 100};

const QString kRankByRateKey = QStringLiteral("search/rankByRate");

struct SoundItem {
    const char *caption;
    const char *key; // as kept in the settings, and as chordvane-find --sound names it
    sound::ChordSound sound;
};
constexpr std::array<SoundItem, 4> kSoundItems = {{
    {QT_TRANSLATE_NOOP("chordvane::frmMain", "オルガン(&O)"), "organ", sound::ChordSound::Organ},
    {QT_TRANSLATE_NOOP("chordvane::frmMain", "ストリングス(&S)"), "strings",
     sound::ChordSound::Strings},
    {QT_TRANSLATE_NOOP("chordvane::frmMain", "ブラス(&B)"), "brass", sound::ChordSound::Brass},
    {QT_TRANSLATE_NOOP("chordvane::frmMain", "ピアノ(&P)"), "piano", sound::ChordSound::Piano},
}};
const QString kChordSoundKey = QStringLiteral("playback/sound");

// The just minor sevenths, each named by its ratio and its cents.
constexpr std::array<JustSeventh, 3> kSeventhItems = {
    JustSeventh::NineFive, JustSeventh::SixteenNine, JustSeventh::SevenFour};
const QString kSeventhKey = QStringLiteral("tuning/seventh"); // "9:5", as --seventh takes it

// Each language is named in its own words, so that a user who cannot read
// the other one still finds the way back.
struct LanguageItem {
    const char *caption;
    Language language;
};
constexpr std::array<LanguageItem, 2> kLanguageItems = {{
    {"日本語(&J)", Language::Japanese},
    {"&English", Language::English},
}};

} // namespace

void frmMain::buildMenus()
{
    mnuEdit = menuBar()->addMenu(QString());
    mnuEditUndo = mnuEdit->addAction(QString());
    mnuEditUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuEditUndo->setEnabled(false);
    connect(mnuEditUndo, &QAction::triggered, m_history->stack(), &QUndoStack::undo);
    connect(m_history->stack(), &QUndoStack::canUndoChanged, mnuEditUndo, &QAction::setEnabled);
    mnuEditRedo = mnuEdit->addAction(QString());
    mnuEditRedo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    mnuEditRedo->setEnabled(false);
    connect(mnuEditRedo, &QAction::triggered, m_history->stack(), &QUndoStack::redo);
    connect(m_history->stack(), &QUndoStack::canRedoChanged, mnuEditRedo, &QAction::setEnabled);
    mnuEdit->addSeparator();
    mnuEditClear = mnuEdit->addAction(QString());
    connect(mnuEditClear, &QAction::triggered, this, &frmMain::clear);
    mnuEditPlay = mnuEdit->addAction(QString());
    connect(mnuEditPlay, &QAction::triggered, this, &frmMain::playRows);

    mnuOption = menuBar()->addMenu(QString());
    mnuOptionCode = mnuOption->addMenu(QString());
    // One rate at a time; the group also gives the items radio bullets, as
    // the instruments below have.
    auto *rateGroup = new QActionGroup(mnuOptionCode);
    for (int i = 0; i < static_cast<int>(kRateItems.size()); ++i) {
        mnuOptionCodeRate[i] = mnuOptionCode->addAction(QString());
        mnuOptionCodeRate[i]->setCheckable(true);
        rateGroup->addAction(mnuOptionCodeRate[i]);
        connect(mnuOptionCodeRate[i], &QAction::triggered, this, [this, i] { rateChosen(i); });
    }
    mnuOptionNotJazz = mnuOption->addAction(QString());
    mnuOptionNotJazz->setCheckable(true); // a trigger toggles the mark
    connect(mnuOptionNotJazz, &QAction::toggled, this, &frmMain::searchOptionsChanged);
    m_rankByRate = mnuOption->addAction(QString());
    m_rankByRate->setCheckable(true);
    if (m_settings)
        m_rankByRate->setChecked(m_settings->value(kRankByRateKey, false).toBool());
    connect(m_rankByRate, &QAction::toggled, this, &frmMain::rankByRateChosen);

    mnuOptionSound = mnuOption->addMenu(QString());
    auto *soundGroup = new QActionGroup(mnuOptionSound); // one instrument at a time
    const QString kept = m_settings ? m_settings->value(kChordSoundKey).toString() : QString();
    int chosen = static_cast<int>(kSoundItems.size()) - 1; // piano unless another was kept
    for (int i = 0; i < static_cast<int>(kSoundItems.size()); ++i) {
        mnuOptionSoundItem[i] = mnuOptionSound->addAction(QString());
        mnuOptionSoundItem[i]->setCheckable(true);
        soundGroup->addAction(mnuOptionSoundItem[i]);
        connect(mnuOptionSoundItem[i], &QAction::triggered, this,
                [this, i] { chordSoundChosen(i); });
        if (kept == QLatin1String(kSoundItems[i].key))
            chosen = i;
    }
    mnuOptionSoundItem[chosen]->setChecked(true);
    m_playback.setChordSound(kSoundItems[chosen].sound);

    mnuOptionSeventh = mnuOption->addMenu(QString());
    auto *seventhGroup = new QActionGroup(mnuOptionSeventh);
    JustSeventh keptSeventh = JustSeventh::NineFive; // the just table's, unless another was kept
    if (m_settings) {
        keptSeventh = parseSeventh(m_settings->value(kSeventhKey).toString().toStdString())
                          .value_or(JustSeventh::NineFive);
    }
    for (int i = 0; i < static_cast<int>(kSeventhItems.size()); ++i) {
        mnuOptionSeventhItem[i] = mnuOptionSeventh->addAction(QString());
        mnuOptionSeventhItem[i]->setCheckable(true);
        seventhGroup->addAction(mnuOptionSeventhItem[i]);
        connect(mnuOptionSeventhItem[i], &QAction::triggered, this,
                [this, i] { seventhChosen(i); });
        mnuOptionSeventhItem[i]->setChecked(kSeventhItems[i] == keptSeventh);
    }
    m_playback.setSeventh(keptSeventh);

    mnuLanguage = menuBar()->addMenu(QString());
    auto *languageGroup = new QActionGroup(mnuLanguage);
    for (int i = 0; i < static_cast<int>(kLanguageItems.size()); ++i) {
        mnuLanguageItem[i] = mnuLanguage->addAction(QString::fromUtf8(kLanguageItems[i].caption));
        mnuLanguageItem[i]->setCheckable(true);
        mnuLanguageItem[i]->setChecked(kLanguageItems[i].language == language());
        // Without translators there is no other language to switch to.
        mnuLanguageItem[i]->setEnabled(m_translation || mnuLanguageItem[i]->isChecked());
        languageGroup->addAction(mnuLanguageItem[i]);
        connect(mnuLanguageItem[i], &QAction::triggered, this, [this, i] { languageChosen(i); });
    }

    mnuHelp = menuBar()->addMenu(QString());
    mnuHelpHowto = mnuHelp->addAction(QString());
    connect(mnuHelpHowto, &QAction::triggered, this, &frmMain::showHowTo);
    mnuHelpVersion = mnuHelp->addAction(QString());
    connect(mnuHelpVersion, &QAction::triggered, this, &frmMain::showVersion);
}

void frmMain::retranslateMenus()
{
    mnuEdit->setTitle(tr("編集(&E)"));
    mnuEditUndo->setText(tr("元に戻す(&U)"));
    mnuEditRedo->setText(tr("やり直し(&R)"));
    mnuEditClear->setText(tr("クリア(&C)"));
    mnuEditPlay->setText(tr("試聴(&P)"));
    mnuOption->setTitle(tr("検索設定(&O)"));
    mnuOptionCode->setTitle(tr("類似コード検索(&C)"));
    for (size_t i = 0; i < kRateItems.size(); ++i) {
        mnuOptionCodeRate[i]->setText(kRateItems[i] == 100 ? tr("完全一致検索")
                                                           : tr("合致度 %1%～").arg(kRateItems[i]));
    }
    mnuOptionNotJazz->setText(tr("ジャズコードを検索しない(&J)"));
    m_rankByRate->setText(tr("合致度の高い順に並べる(&R)"));
    mnuOptionSound->setTitle(tr("試聴の音色(&S)"));
    for (size_t i = 0; i < kSoundItems.size(); ++i)
        mnuOptionSoundItem[i]->setText(tr(kSoundItems[i].caption));
    mnuOptionSeventh->setTitle(tr("短7度の純正(&7)"));
    for (size_t i = 0; i < kSeventhItems.size(); ++i) {
        const std::string_view ratio = seventhRatio(kSeventhItems[i]);
        mnuOptionSeventhItem[i]->setText(
            tr("%1 (%2 ¢)")
                .arg(QString::fromLatin1(ratio.data(), static_cast<qsizetype>(ratio.size())),
                     QString::fromStdString(deviationText(11, kSeventhItems[i]))
                         .replace(QLatin1Char('-'), QChar(0x2212))));
    }
    mnuLanguage->setTitle(tr("表示言語(&L)"));
    mnuHelp->setTitle(tr("ヘルプ(&H)"));
    mnuHelpHowto->setText(tr("使い方(&H)"));
    mnuHelpVersion->setText(tr("バージョン情報(&V)"));
}

int frmMain::rateItem() const
{
    for (size_t i = 0; i < mnuOptionCodeRate.size(); ++i) {
        if (mnuOptionCodeRate[i]->isChecked())
            return static_cast<int>(i);
    }
    return 3;
}

void frmMain::rateChosen(int item)
{
    const auto threshold = static_cast<Note>(kRateItems[item]);
    mnuOptionCodeRate[item]->setChecked(true);
    if (threshold == m_engine.MatchThreshold)
        return;
    m_engine.MatchThreshold = threshold;
    emit searchOptionsChanged();
}

void frmMain::rankByRateChosen(bool checked)
{
    if (m_settings) {
        m_settings->setValue(kRankByRateKey, checked);
        m_settings->sync(); // kept even if the program does not end normally
    }
    emit searchOptionsChanged();
}

void frmMain::chordSoundChosen(int item)
{
    m_playback.setChordSound(kSoundItems[item].sound);
    if (m_settings) {
        m_settings->setValue(kChordSoundKey, QString::fromUtf8(kSoundItems[item].key));
        m_settings->sync();
    }
}

void frmMain::seventhChosen(int item)
{
    const JustSeventh seventh = kSeventhItems[static_cast<size_t>(item)];
    mnuOptionSeventhItem[item]->setChecked(true);
    if (m_settings) {
        const std::string_view ratio = seventhRatio(seventh);
        m_settings->setValue(
            kSeventhKey, QString::fromLatin1(ratio.data(), static_cast<qsizetype>(ratio.size())));
        m_settings->sync();
    }
    if (seventh == m_playback.seventh())
        return;
    m_playback.setSeventh(seventh);
    emit seventhChanged(seventh);
}

Language frmMain::language() const
{
    return m_translation ? m_translation->language() : Language::Japanese;
}

void frmMain::languageChosen(int item)
{
    const Language chosen = kLanguageItems[item].language;
    if (chosen == language() || !m_translation)
        return;
    if (!m_translation->use(chosen)) {
        // The mark goes back to the language still shown.
        for (size_t i = 0; i < kLanguageItems.size(); ++i)
            mnuLanguageItem[i]->setChecked(kLanguageItems[i].language == language());
        m_dialogs.exclamation(
            this, QStringLiteral("Chordvane"),
            tr("翻訳ファイルを読み込めません。\n%1")
                .arg(QDir::toNativeSeparators(m_translation->programFile(chosen))));
        return;
    }
    keepLanguage(m_settings, chosen);
}

void frmMain::clear()
{
    RowStates before;
    for (int r = 0; r < rows::kRows; ++r)
        before[static_cast<size_t>(r)] = m_rows[r]->state();
    const int rate = rateItem();
    m_isLoaded = false;
    for (InstrumentRow *row : m_rows) {
        const QSignalBlocker quiet(row->ctlNoteInput()); // Load blanks the rows
        row->ctlNoteInput()->setValue(1);
    }
    Load();
    emit rowsChanged(); // once, for all the rows Load emptied
    m_history->cleared(before, rate);
}

void frmMain::clearRows()
{
    m_isLoaded = false;
    for (InstrumentRow *row : m_rows) {
        const QSignalBlocker quiet(row->ctlNoteInput());
        row->ctlNoteInput()->setScoreType(staff::kTreble);
        row->ctlNoteInput()->setValue(1);
        row->reset();
    }
    m_engine.InputNotes.fill(NO_NOTE);
    keyboard->reset();
    m_isLoaded = true;
    emit rowsChanged();
    m_history->restart();
}

void frmMain::startRowHistory()
{
    m_history->restart();
}

QString frmMain::readMePath() const
{
    return QFileInfo(QDir(m_dataFolder).filePath(readMeFileName(language()))).absoluteFilePath();
}

void frmMain::showHowTo()
{
    const QString path = readMePath();
    // A viewer started on a missing file may show nothing at all, so the
    // missing file is reported here, with where it was looked for.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_dialogs.exclamation(this, QStringLiteral("Chordvane"),
                              tr("ファイルのオープンに失敗しました\n") +
                                  QDir::toNativeSeparators(path));
        return;
    }
    // Help always shows something: a desktop without a viewer that takes
    // the file gets the program's own window.
    m_dialogs.openInViewer(this, path,
                           [this, path, text = QString::fromUtf8(file.readAll())](bool shown) {
                               if (shown)
                                   return;
                               if (!m_readMe)
                                   m_readMe = new ReadMeWindow(this);
                               m_readMe->showText(QFileInfo(path).fileName(), text);
                           });
}

void frmMain::showReadMeAgain()
{
    // The program's own window follows the language; a viewer's is the desktop's.
    if (!m_readMe || !m_readMe->isVisible())
        return;
    QFile file(readMePath());
    if (file.open(QIODevice::ReadOnly))
        m_readMe->showText(QFileInfo(file).fileName(), QString::fromUtf8(file.readAll()));
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
