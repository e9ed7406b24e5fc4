#include "frmmain.h"

#include "ctlnoteinput.h"
#include "frmcodeshow.h"
#include "scorebrowser.h"
#include "staffmodel.h"
#include "uiplatform.h"
#include "voicing.h"

#include <QCheckBox>
#include <QComboBox>
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
#include <QStyle>

namespace chordvane {

namespace {

// 9450 twips tall as designed, plus room for the copyright line, whose
// 255-twip label would otherwise lose the foot of its letters.
constexpr QSize kClientTwips(10230, 9450 + 60);

QRect fromTwips(const QRect &r)
{
    return twipsRect(r.x(), r.y(), r.width(), r.height());
}

QString concertName(int n)
{
    const std::string_view name = NoteName(n);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Placed at its twip position; a zero height keeps the widget's own height.
void place(QWidget *widget, const QRect &twipRect)
{
    QRect r = fromTwips(twipRect);
    if (r.height() == 0)
        r.setHeight(widget->sizeHint().height());
    widget->setGeometry(r);
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
        return m_window.m_dialogs
            .askText(&m_window, QStringLiteral("エラー"),
                     QStringLiteral(
                         "コードリストファイルが見つかりません。'正しいパスを入力してください"))
            .toStdString();
    }

private:
    frmMain &m_window;
};

frmMain::frmMain(UserDialogs &dialogs, sound::SoundOutput &output, QString dataFolder,
                 QSettings *settings, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_dataFolder(std::move(dataFolder))
    , m_settings(settings)
    , m_listHost(std::make_unique<ListHost>(*this))
    , m_engine(*m_listHost)
    , m_playback(output, dialogs)
{
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
    Load();
    m_scoreBrowser = new ScoreBrowser(*this, m_dialogs, m_dataFolder, m_settings);
    // The window manager's title bar comes on top of the window's own size.
    fitInto(screen()->availableSize() - QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight)));
}

frmMain::~frmMain() = default;

WindowFit fitWindow(const QSize &design, const QSize &room, int scrollBar)
{
    if (design.width() <= room.width() && design.height() <= room.height())
        return {design, false};
    return {(design + QSize(scrollBar, scrollBar)).boundedTo(room), true};
}

void frmMain::fitInto(const QSize &room)
{
    const QSize design = m_client->size() + QSize(0, menuBar()->sizeHint().height());
    const WindowFit fit = fitWindow(design, room, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    // Where it fits, the design size is also the least the window shrinks to.
    m_scrollArea->setMinimumSize(fit.scrolls ? QSize(0, 0) : m_client->size());
    layout()->activate(); // the window's own minimum follows at once, not at the next event
    resize(fit.size);
}

void frmMain::buildRows(QWidget *client)
{
    keyboard = std::make_unique<KeyboardDisplay>(client);
    Frame1 = new QGroupBox(QStringLiteral("ベース (最低音)"), client);
    Frame1->setGeometry(twipsRect(5040, 6720, 4935, 1575));

    for (int r = 0; r < rows::kRows; ++r) {
        QWidget *parent = r == rows::kBassRow ? Frame1 : client;
        const rows::RowGeometry g = rows::geometryOf(r);

        ctlNoteInput[r] = new chordvane::ctlNoteInput(parent);
        ctlNoteInput[r]->placeAt(fromTwips(g.staff));
        connect(ctlNoteInput[r], &chordvane::ctlNoteInput::Changed, this,
                [this, r] { ShowRowNote(r); });

        cboInstName[r] = new QComboBox(parent);
        place(cboInstName[r], g.instrument);
        // Every choice counts, also of the entry shown: it restores the
        // instrument's transposition after the list was changed by hand.
        connect(cboInstName[r], &QComboBox::activated, this, [this, r] { instrumentChosen(r); });
        cboTune[r] = new QComboBox(parent);
        place(cboTune[r], g.tune);
        connect(cboTune[r], &QComboBox::currentIndexChanged, this, [this, r] { ShowRowNote(r); });

        if (r != rows::kBassRow) {
            chkUse[r] = new QCheckBox(parent);
            place(chkUse[r], g.check);
            connect(chkUse[r], &QCheckBox::toggled, this,
                    [this, r] { ShowRowNote(r, RowChange::Tick); });
        }

        lblResult[r] = new QLabel(parent);
        lblResult[r]->setFrameShape(QFrame::Box);
        lblResult[r]->setAlignment(Qt::AlignCenter);
        lblResult[r]->setFont(gothicFont(15.75, true));
        lblResult[r]->setAutoFillBackground(true);
        lblResult[r]->setGeometry(fromTwips(g.result));
    }
}

void frmMain::buildButtons(QWidget *client)
{
    cmdSearchCode = new QPushButton(QStringLiteral("コードを検索(&F)"), client);
    cmdSearchCode->setGeometry(twipsRect(5040, 8520, 2535, 615));
    setButtonColour(cmdSearchCode, QColor(255, 255, 192));
    cmdSearchCode->setDefault(true); // drawn as the default; keyPressEvent makes it one
    connect(cmdSearchCode, &QPushButton::clicked, this, &frmMain::RunSearch);

    // Between the keyboard and the search button.
    cmdPlay = new QPushButton(QStringLiteral("試聴(&P)"), client);
    cmdPlay->setGeometry(twipsRect(3600, 8520, 1335, 615));
    setButtonColour(cmdPlay, QColor(255, 224, 192));
    cmdPlay->setAutoDefault(true);
    connect(cmdPlay, &QPushButton::clicked, this, &frmMain::playRows);

    cmdClear = new QPushButton(QStringLiteral("クリア(&C)"), client);
    cmdClear->setGeometry(twipsRect(7680, 8640, 1095, 495));
    setButtonColour(cmdClear, QColor(192, 255, 255));
    cmdClear->setAutoDefault(true); // a focused button takes Enter itself
    connect(cmdClear, &QPushButton::clicked, this, &frmMain::clear);

    cmdExit = new QPushButton(QStringLiteral("終了(&X)"), client);
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
    for (int r = 0; r < rows::kRows; ++r) {
        // Nothing here is the user's doing: the rows must not answer it.
        const QSignalBlocker quietTune(cboTune[r]);
        cboTune[r]->clear();
        for (const rows::Entry &tune : rows::kTunes)
            cboTune[r]->addItem(QString::fromUtf8(tune.text), tune.offset);
        cboTune[r]->setCurrentIndex(0);

        cboInstName[r]->clear();
        for (const rows::Entry &instrument : rows::kInstruments)
            cboInstName[r]->addItem(QString::fromUtf8(instrument.text), instrument.offset);
        cboInstName[r]->setCurrentIndex(0);

        if (r != rows::kBassRow) {
            const QSignalBlocker quietUse(chkUse[r]);
            chkUse[r]->setChecked(false);
        }
        lblResult[r]->clear();
        setBackground(lblResult[r],
                      rowInUse(r) ? QColor(Qt::white) : palette().color(QPalette::Button));
    }
    m_engine.InputNotes.fill(NO_NOTE);
    keyboard->reset();
    rateChosen(3);
    m_isLoaded = true;
}

bool frmMain::rowInUse(int r) const
{
    return r == rows::kBassRow || chkUse[r]->isChecked();
}

int frmMain::concertNote(int r) const
{
    return static_cast<qint16>(ctlNoteInput[r]->Value() + cboTune[r]->currentData().toInt());
}

void frmMain::instrumentChosen(int r)
{
    const int index = cboInstName[r]->currentIndex();
    if (index < 0)
        return;
    const int offset = cboInstName[r]->itemData(index).toInt();
    const int tune = cboTune[r]->findData(offset);
    if (tune < 0)
        return;
    const QSignalBlocker quiet(cboTune[r]);
    cboTune[r]->setCurrentIndex(tune);
    ShowRowNote(r);
}

void frmMain::ShowRowNote(int r, RowChange change)
{
    if (!m_isLoaded) {
        lblResult[r]->clear(); // Load sets the rest of the row afterwards
        return;
    }
    if (change == RowChange::Note) {
        // A new note or transposition puts the row in use; only the box
        // takes it out again.
        if (r != rows::kBassRow) {
            const QSignalBlocker quiet(chkUse[r]);
            chkUse[r]->setChecked(true);
        }
        lblResult[r]->setText(concertName(concertNote(r)));
    }
    const bool inUse = rowInUse(r);
    setBackground(lblResult[r], inUse ? QColor(Qt::white) : palette().color(QPalette::Button));
    m_engine.InputNotes[r] = inUse ? static_cast<Note>(concertNote(r)) : NO_NOTE;
    PaintKeyboard();
}

void frmMain::PaintKeyboard()
{
    keyboard->paint(m_engine.InputNotes);
}

void frmMain::RunSearch()
{
    if (m_engine.InputNotes[rows::kBassRow] == NO_NOTE) {
        m_dialogs.exclamation(this, QStringLiteral("確認"),
                              QStringLiteral("ベース音を指定してください"));
        return;
    }
    const char *list = mnuOptionNotJazz->isChecked() ? kPlainListName : kFullListName;
    m_engine.ChordListPath = joinPath(m_dataFolder.toStdString(), list);
    m_engine.RankByRate = m_rankByRate->isChecked();
    m_engine.SearchChords(rows::kBassRow);
    frmCodeShow results(m_engine, m_dialogs, m_playback, this);
    m_dialogs.runModal(&results);
}

void frmMain::playRows()
{
    std::vector<sound::Tone> tones;
    for (int r = 0; r < rows::kRows; ++r) {
        if (m_engine.InputNotes[r] == NO_NOTE)
            continue; // not in use, or the bass not yet entered
        const int instrument = cboInstName[r]->currentIndex();
        const sound::Voice voice = sound::voiceOf(cboInstName[r]->currentText().toStdString());
        const int key = sound::soundingKey(
            ctlNoteInput[r]->Value(), ctlNoteInput[r]->ScoreType() == staff::kBass,
            cboTune[r]->currentData().toInt(), cboInstName[r]->itemData(instrument).toInt(), voice);
        tones.push_back({key, 0.0, voice.program});
    }
    if (!tones.empty())
        m_playback.play(this, tones);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Over the window's own background no staff keeps its hover note.
    if (watched == m_client && event->type() == QEvent::MouseMove) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_client->childAt(mouse->position().toPoint())) {
            for (auto *staff : ctlNoteInput)
                staff->GhostClear();
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
