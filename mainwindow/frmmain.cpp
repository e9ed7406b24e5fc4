#include "frmmain.h"

#include "ctlnoteinput.h"
#include "frmcodeshow.h"
#include "liveinput.h"
#include "musictext.h"
#include "rowhistory.h"
#include "scorebrowser.h"
#include "staffmodel.h"
#include "uiplatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

namespace chordvane {

namespace {

// 9450 twips tall as designed, plus room for the copyright line, whose
// 255-twip label would otherwise lose the foot of its letters.
constexpr QSize kClientTwips(10230, 9450 + 60);

bool holdsChords(const ChordEngine &engine)
{
    return std::any_of(engine.ChordIntervals.begin(), engine.ChordIntervals.end(),
                       [](const ChordRow &row) { return row[0] != NO_NOTE; });
}

// What the user is told when the chosen list could not be read; nothing
// when it was, or when the user cancelled the prompt for its path.
QString chordListProblem(ChordListStatus status)
{
    switch (status) {
    case ChordListStatus::Ok:
    case ChordListStatus::Missing: // the prompt's answer: abandoned silently, as a cancel is
    case ChordListStatus::Cancelled:
    case ChordListStatus::WrongName:
        break;
    case ChordListStatus::Unreadable:
        return frmMain::tr("コードリストファイルを読み込めません。");
    case ChordListStatus::Empty:
        return frmMain::tr("コードリストファイルにコードがひとつもありません。");
    case ChordListStatus::TooLarge:
        return frmMain::tr("コードリストファイルが大きすぎます (64 MiB まで)。");
    case ChordListStatus::NotText:
        return frmMain::tr(
            "コードリストファイルを文字として読めません。UTF-8 で保存してください。");
    }
    return {};
}

// Out here rather than in ListHost: lupdate files a tr() inside that nested
// class under a context of its own, which the translation never reaches.
QString promptForChordList(UserDialogs &dialogs, QWidget *parent)
{
    return dialogs.askText(
        parent, frmMain::tr("エラー"),
        frmMain::tr("コードリストファイルが見つかりません。'正しいパスを入力してください"));
}

} // namespace

// The engine's way to the file system and to the user, for a missing chord list.
class frmMain::ListHost : public ChordListHost {
public:
    explicit ListHost(frmMain &window)
        : m_window(window)
    {}
    std::string programFolder() const override { return m_window.m_dataFolder.toStdString(); }
    bool fileExists(const std::string &path) const override
    {
        return !path.empty() && QFileInfo(QString::fromStdString(path)).isFile();
    }
    std::string askChordListPath() override
    {
        return promptForChordList(m_window.m_dialogs, &m_window).toStdString();
    }

private:
    frmMain &m_window;
};

// The window's rows as the history reads them and puts them back.
class frmMain::RowAccess : public RowHost {
public:
    explicit RowAccess(frmMain &window)
        : m_window(window)
    {}
    RowState rowState(int r) const override { return m_window.m_rows[r]->state(); }
    void restoreRow(int r, const RowState &state) override
    {
        InstrumentRow &row = *m_window.m_rows[r];
        row.restore(state);
        // The bass row's slot stays empty until its note is first named.
        const bool entered = r != rows::kBassRow || state.named;
        m_window.m_engine.InputNotes[r] =
            row.inUse() && entered ? static_cast<Note>(row.concertNote()) : NO_NOTE;
        m_window.PaintKeyboard();
        emit m_window.rowsChanged();
    }
    int rateItem() const override { return m_window.rateItem(); }
    void restoreRate(int item) override { m_window.rateChosen(item); }

private:
    frmMain &m_window;
};

frmMain::frmMain(UserDialogs &dialogs, sound::SoundOutput &output, QString dataFolder,
                 QSettings *settings, Translation *translation, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_dataFolder(std::move(dataFolder))
    , m_settings(settings)
    , m_translation(translation)
    , m_listHost(std::make_unique<ListHost>(*this))
    , m_rowAccess(std::make_unique<RowAccess>(*this))
    , m_engine(*m_listHost)
    , m_playback(output, dialogs)
{
    m_history = new RowHistory(*m_rowAccess, this);
    setWindowTitle(QStringLiteral("Chordvane"));
    m_client = new QWidget;
    m_client->setFixedSize(twips(kClientTwips.width()), twips(kClientTwips.height()));
    m_client->setMouseTracking(true);
    m_client->installEventFilter(this);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidget(m_client);
    setCentralWidget(m_scrollArea);

    buildMenus();
    buildRows(m_client);
    buildButtons(m_client);
    retranslate();
    Load();
    m_history->restart();
    buildScoreBrowser();
    m_liveInput = new LiveInput(*this, m_dialogs, m_settings);
    for (QLabel *label : statusBar()->findChildren<QLabel *>())
        setMusicLabel(label); // "コード A♭add9/E♭" without gaps around the flat
    // The port kept from the last run may have been opened just now.
    updateStatusBar();
}

void frmMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void frmMain::retranslate()
{
    Frame1->setTitle(tr("ベース (最低音)"));
    cmdSearchCode->setText(tr("コードを検索(&F)"));
    cmdPlay->setText(tr("試聴(&P)"));
    cmdClear->setText(tr("クリア(&C)"));
    cmdExit->setText(tr("終了(&X)"));
    for (InstrumentRow *row : m_rows)
        row->retranslate();
    retranslateMenus();
    if (m_scoreBrowser)
        m_scoreBrowser->retranslate();
    if (m_liveInput)
        m_liveInput->retranslate();
    showReadMeAgain();
}

frmMain::~frmMain() = default;

void frmMain::updateStatusBar()
{
    const bool scoreOpen = m_scoreBrowser && m_scoreBrowser->isOpen();
    const bool live = m_liveInput && m_liveInput->isOn();
    statusBar()->setVisible(scoreOpen || live);
    if (m_liveInput)
        m_liveInput->showChord();
    // The bar's room comes and goes with it.
    fitToScreen();
}

void frmMain::buildRows(QWidget *client)
{
    keyboard = std::make_unique<KeyboardDisplay>(client);
    Frame1 = new QGroupBox(client);
    Frame1->setGeometry(twipsRect(5040, 6720, 4935, 1575));

    for (int r = 0; r < rows::kRows; ++r) {
        m_rows[r] = new InstrumentRow(r, r == rows::kBassRow ? Frame1 : client);
        connect(m_rows[r], &InstrumentRow::changed, this,
                [this, r](InstrumentRow::Change change) { ShowRowNote(r, change); });
    }
}

void frmMain::buildButtons(QWidget *client)
{
    cmdSearchCode = new QPushButton(client);
    cmdSearchCode->setGeometry(twipsRect(5040, 8520, 2535, 615));
    setButtonColour(cmdSearchCode, QColor(255, 255, 192));
    cmdSearchCode->setDefault(true); // drawn as the default; keyPressEvent makes it one
    connect(cmdSearchCode, &QPushButton::clicked, this, &frmMain::RunSearch);

    // Between the keyboard and the search button.
    cmdPlay = new QPushButton(client);
    cmdPlay->setGeometry(twipsRect(3600, 8520, 1335, 615));
    setButtonColour(cmdPlay, QColor(255, 224, 192));
    cmdPlay->setAutoDefault(true);
    connect(cmdPlay, &QPushButton::clicked, this, &frmMain::playRows);

    cmdClear = new QPushButton(client);
    cmdClear->setGeometry(twipsRect(7680, 8640, 1095, 495));
    setButtonColour(cmdClear, QColor(192, 255, 255));
    cmdClear->setAutoDefault(true); // a focused button takes Enter itself
    connect(cmdClear, &QPushButton::clicked, this, &frmMain::clear);

    cmdExit = new QPushButton(client);
    cmdExit->setGeometry(twipsRect(8880, 8640, 1095, 495));
    setButtonColour(cmdExit, QColor(192, 255, 255));
    cmdExit->setAutoDefault(true);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);

    lblAdvertise = new QLabel(QString::fromUtf8(kCopyright), client);
    lblAdvertise->setGeometry(twipsRect(0, 9240, 4935, 255));
    lblAdvertise->setFont(gothicFont(9, true, true));
    QPalette palette = lblAdvertise->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Dark));
    lblAdvertise->setPalette(palette);
}

void frmMain::Load()
{
    m_isLoaded = false;
    for (InstrumentRow *row : m_rows)
        row->reset();
    m_engine.InputNotes.fill(NO_NOTE);
    keyboard->reset();
    rateChosen(3);
    m_isLoaded = true;
}

bool frmMain::rowInUse(int r) const
{
    return m_rows[r]->inUse();
}

int frmMain::concertNote(int r) const
{
    return m_rows[r]->concertNote();
}

void frmMain::ShowRowNote(int r, RowChange change)
{
    InstrumentRow &row = *m_rows[r];
    if (!m_isLoaded) {
        row.showConcertName(false); // Load sets the rest of the row afterwards
        return;
    }
    if (change == RowChange::Note) {
        // A new note or transposition puts the row in use; only the box
        // takes it out again.
        row.setInUse(true);
        row.showConcertName(true);
    }
    m_engine.InputNotes[r] = row.inUse() ? static_cast<Note>(row.concertNote()) : NO_NOTE;
    PaintKeyboard();
    emit rowsChanged();
    m_history->rowChanged(r);
}

void frmMain::PaintKeyboard()
{
    keyboard->paint(m_engine.InputNotes);
}

ChordListStatus frmMain::loadChosenList()
{
    const char *list = mnuOptionNotJazz->isChecked() ? kPlainListName : kFullListName;
    m_engine.ChordListPath = joinPath(m_dataFolder.toStdString(), list);
    const ChordListStatus status = m_engine.LoadChordList();
    const QString problem = chordListProblem(status);
    if (!problem.isEmpty()) {
        m_dialogs.exclamation(
            this, tr("エラー"),
            problem + QLatin1Char('\n') +
                QDir::toNativeSeparators(QString::fromStdString(m_engine.ChordListPath)));
    }
    return status;
}

bool frmMain::readChordTable(ChordTable &table)
{
    const bool read = loadChosenList() == ChordListStatus::Ok;
    table = read ? m_engine.chordTable() : ChordTable();
    return read;
}

void frmMain::RunSearch()
{
    if (m_engine.InputNotes[rows::kBassRow] == NO_NOTE) {
        m_dialogs.exclamation(this, tr("確認"), tr("ベース音を指定してください"));
        return;
    }
    // A list that could not be read leaves the table as it was: the search
    // works on it, unless no list was ever read.
    if (loadChosenList() != ChordListStatus::Ok && !holdsChords(m_engine)) {
        m_dialogs.exclamation(this, tr("確認"),
                              tr("コードリストが読み込まれていないため、検索できません"));
        return;
    }
    m_engine.RankByRate = m_rankByRate->isChecked();
    m_engine.searchLoadedChords(rows::kBassRow);
    frmCodeShow results(m_engine, m_dialogs, m_playback, this);
    std::vector<tuning::Player> players;
    for (int r = 0; r < rows::kRows; ++r) {
        if (m_engine.InputNotes[r] != NO_NOTE)
            players.push_back(m_rows[r]->tuningPlayer());
    }
    results.setPlayers(std::move(players));
    m_dialogs.runModal(&results);
}

void frmMain::playRows()
{
    std::vector<sound::Tone> tones;
    for (int r = 0; r < rows::kRows; ++r) {
        if (m_engine.InputNotes[r] == NO_NOTE)
            continue; // not in use, or the bass not yet entered
        tones.push_back({m_rows[r]->soundingKey(), 0.0, m_rows[r]->program()});
    }
    if (tones.empty()) {
        m_dialogs.exclamation(this, tr("確認"),
                              tr("試聴する音がありません。行に音を入力してください"));
        return;
    }
    m_playback.play(this, tones);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Over the window's own background no staff keeps its hover note.
    if (watched == m_client && event->type() == QEvent::MouseMove) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_client->childAt(mouse->position().toPoint())) {
            for (InstrumentRow *row : m_rows)
                row->ctlNoteInput()->GhostClear();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    // Enter that no focused control took presses the search button, as a
    // dialog's default button would be pressed.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && cmdSearchCode->isEnabled()) {
        cmdSearchCode->click();
        return;
    }
    if (key == Qt::Key_Escape) {
        m_playback.stop();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace chordvane
