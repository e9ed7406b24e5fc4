#include "frmmain.h"

#include "ctlnoteinput.h"
#include "frmcodeshow.h"
#include "uiplatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

namespace chordvane {

namespace {

// 9450 twips tall as designed, plus room for the copyright line, whose
// 255-twip label would otherwise lose the foot of its letters.
constexpr QSize kClientTwips(10230, 9450 + 60);

QRect fromTwips(const QRect &r)
{
    return twipsRect(r.x(), r.y(), r.width(), r.height());
}

QString noteName(int n)
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
    std::string ProgramFolder() const override { return m_window.m_dataFolder.toStdString(); }
    bool FileExists(const std::string &path) const override
    {
        return !path.empty() && QFileInfo(QString::fromStdString(path)).isFile();
    }
    std::string AskChordListPath() override
    {
        return m_window.m_dialogs
            .askText(&m_window, QStringLiteral("エラー"),
                     QStringLiteral("コードリストファイルが見つかりません。'正しいパスを入力してください"))
            .toStdString();
    }

private:
    frmMain &m_window;
};

frmMain::frmMain(UserDialogs &dialogs, QString dataFolder, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_dataFolder(std::move(dataFolder))
    , m_listHost(std::make_unique<ListHost>(*this))
    , m_engine(*m_listHost)
{
    setWindowTitle(QStringLiteral("Chordvane"));
    m_client = new QWidget(this);
    m_client->setMinimumSize(twips(kClientTwips.width()), twips(kClientTwips.height()));
    m_client->setMouseTracking(true);
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    buildMenus();
    buildRows(m_client);
    buildButtons(m_client);
    Load();
    resize(twips(kClientTwips.width()),
           twips(kClientTwips.height()) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::buildRows(QWidget *client)
{
    keyboard = std::make_unique<KeyboardDisplay>(client); // the staffs' first events paint it
    Frame1 = new QGroupBox(QStringLiteral("ベース (最低音)"), client);
    Frame1->setGeometry(twipsRect(5040, 6720, 4935, 1575));

    for (int r = 0; r < rows::kRows; ++r) {
        QWidget *parent = r == rows::kBassRow ? Frame1 : client;
        const rows::RowGeometry g = rows::rowGeometry(r);

        // Labels and lists first: a staff's first events already reach them.
        lblResult[r] = new QLabel(parent);
        lblResult[r]->setFrameShape(QFrame::Box);
        lblResult[r]->setAlignment(Qt::AlignCenter);
        lblResult[r]->setFont(gothicFont(15.75, true));
        lblResult[r]->setAutoFillBackground(true);
        lblResult[r]->setGeometry(fromTwips(g.result));
        setRowInUse(r, r == rows::kBassRow);

        cboInstName[r] = new QComboBox(parent);
        place(cboInstName[r], g.instrument);
        cboTune[r] = new QComboBox(parent);
        place(cboTune[r], g.tune);
        if (r != rows::kBassRow) {
            chkUse[r] = new QCheckBox(parent);
            place(chkUse[r], g.check);
            connect(chkUse[r], &QCheckBox::toggled, this, [this, r] { useClicked(r); });
        }
        connect(cboInstName[r], &QComboBox::currentIndexChanged, this,
                [this, r] { instrumentChosen(r); });
        connect(cboTune[r], &QComboBox::currentIndexChanged, this, [this, r] { tuneChosen(r); });

        chordvane::ctlNoteInput::create(parent, [this, r](chordvane::ctlNoteInput *staff) {
            ctlNoteInput[r] = staff;
            connect(
                staff, &chordvane::ctlNoteInput::Changed, this, [this, r] { noteChanged(r); },
                Qt::DirectConnection);
        });
        ctlNoteInput[r]->placeAt(fromTwips(g.staff));
    }
}

void frmMain::buildButtons(QWidget *client)
{
    cmdSearchCode = new QPushButton(QStringLiteral("コードを検索(&F)"), client);
    cmdSearchCode->setGeometry(twipsRect(5040, 8520, 2535, 615));
    setButtonColour(cmdSearchCode, QColor(255, 255, 192));
    cmdSearchCode->setDefault(true);
    connect(cmdSearchCode, &QPushButton::clicked, this, &frmMain::RunSearch);
    // A main window has no default button of its own: Enter presses it here.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, cmdSearchCode, &QPushButton::animateClick);
    }

    cmdClear = new QPushButton(QStringLiteral("クリア(&C)"), client);
    cmdClear->setGeometry(twipsRect(7680, 8640, 1095, 495));
    setButtonColour(cmdClear, QColor(192, 255, 255));
    connect(cmdClear, &QPushButton::clicked, this, &frmMain::Clear);

    cmdExit = new QPushButton(QStringLiteral("終了(&X)"), client);
    cmdExit->setGeometry(twipsRect(8880, 8640, 1095, 495));
    setButtonColour(cmdExit, QColor(192, 255, 255));
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
    for (int r = 0; r < rows::kRows; ++r) {
        cboTune[r]->clear();
        for (const rows::Entry &tune : rows::kTunes)
            cboTune[r]->addItem(QString::fromUtf8(tune.text), tune.offset);
        cboTune[r]->setCurrentIndex(0);
    }
    for (int r = 0; r < rows::kRows; ++r) {
        cboInstName[r]->clear();
        for (const rows::Entry &instrument : rows::kInstruments)
            cboInstName[r]->addItem(QString::fromUtf8(instrument.text), instrument.offset);
        cboInstName[r]->setCurrentIndex(0);
    }
    for (QCheckBox *box : chkUse)
        box->setChecked(false);
    for (int r = 0; r < rows::kOrdinaryRows; ++r)
        setRowInUse(r, false);
    m_engine.InputNotes.fill(NO_NOTE);
    keyboard->reset();
    rateChosen(3);
    m_isLoaded = true;
}

bool frmMain::rowInUse(int r) const
{
    return m_rowInUse[r];
}

int frmMain::concertNote(int r) const
{
    return static_cast<qint16>(ctlNoteInput[r]->Value() + cboTune[r]->currentData().toInt());
}

void frmMain::setRowInUse(int r, bool inUse)
{
    m_rowInUse[r] = inUse;
    setBackground(lblResult[r], inUse ? QColor(Qt::white) : palette().color(QPalette::Button));
}

void frmMain::noteChanged(int r)
{
    ShowRowNote(r);
}

void frmMain::instrumentChosen(int r)
{
    const int index = cboInstName[r]->currentIndex();
    if (index < 0)
        return;
    const int offset = cboInstName[r]->itemData(index).toInt();
    for (int t = 0; t < cboTune[r]->count(); ++t) {
        if (cboTune[r]->itemData(t).toInt() == offset) {
            cboTune[r]->setCurrentIndex(t); // runs tuneChosen when it changes
            return;
        }
    }
}

void frmMain::tuneChosen(int r)
{
    ShowRowNote(r);
}

void frmMain::useClicked(int r)
{
    setRowInUse(r, chkUse[r]->isChecked());
    resultChanged(r);
}

void frmMain::ShowRowNote(int r)
{
    if (!m_isLoaded) {
        setResultText(r, QString());
        return;
    }
    if (r != rows::kBassRow)
        chkUse[r]->setChecked(true); // runs useClicked when the tick is new
    setResultText(r, noteName(concertNote(r)));
}

void frmMain::setResultText(int r, const QString &text)
{
    lblResult[r]->setText(text);
    resultChanged(r);
}

void frmMain::resultChanged(int r)
{
    m_engine.InputNotes[r] = rowInUse(r) ? static_cast<Note>(concertNote(r)) : NO_NOTE;
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
    m_engine.ChordListPath = JoinPath(m_dataFolder.toStdString(), list);
    m_engine.SearchChords(rows::kBassRow);
    frmCodeShow results(m_engine, m_dialogs, this);
    m_dialogs.runModal(&results);
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

} // namespace chordvane
