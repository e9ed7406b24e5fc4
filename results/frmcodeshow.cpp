#include "frmcodeshow.h"

#include "frmpiano.h"
#include "playback.h"
#include "resulttext.h"
#include "uiplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace chordvane {

namespace {

struct Geometry {
    QRect lstCodes = twipsRect(240, 360, 2775, 3180);
    QRect cmdClose = twipsRect(4680, 3840, 1215, 375);
    QRect lblJunsei = twipsRect(3240, 1080, 2535, 2535);
    QRect Label1 = twipsRect(3240, 840, 2535, 255);
    QRect cmdJunseiCopy = twipsRect(2520, 3840, 2055, 375);
    QRect cmdShowPiano = twipsRect(720, 3840, 1695, 375);
    QRect lblMatchedRate = twipsRect(3240, 360, 2535, 255);
    // A second row of buttons, under the first, for listening.
    QRect cmdPlay = twipsRect(720, 4320, 1695, 375);
    QRect cmdPlayJust = twipsRect(2520, 4320, 2055, 375);
    // The players' table to the right, tall enough for all twelve rows
    // under its heading, and its copy button under it.
    QRect lblPlayers = twipsRect(6000, 360, 4935, 255);
    QRect tblPlayers = twipsRect(6000, 615, 4935, 4080);
    QRect cmdPlayersCopy = twipsRect(8880, 4800, 2055, 375);
    QSize client = QSize(twips(11175), twips(5355));
};

} // namespace

frmCodeShow::frmCodeShow(const ChordEngine &engine, UserDialogs &dialogs, Playback &playback,
                         QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , m_engine(engine)
    , m_dialogs(dialogs)
    , m_playback(playback)
{
    const Geometry g;
    setFixedSize(g.client);
    setAttribute(Qt::WA_DeleteOnClose, false);

    lstCodes = new QListWidget(this);
    lstCodes->setGeometry(g.lstCodes);
    lstCodes->setFont(gothicFont(12, true, true));
    lstCodes->setSelectionMode(QAbstractItemView::SingleSelection);

    cmdClose = new QPushButton(this);
    cmdClose->setGeometry(g.cmdClose);
    setButtonColour(cmdClose, QColor(192, 255, 192));

    lblJunsei = new QLabel(this);
    lblJunsei->setGeometry(g.lblJunsei);
    lblJunsei->setFont(gothicFont(11.25));
    lblJunsei->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblJunsei->setAutoFillBackground(true);
    setBackground(lblJunsei, Qt::white);

    Label1 = new QLabel(this);
    Label1->setGeometry(g.Label1);

    cmdJunseiCopy = new QPushButton(this);
    cmdJunseiCopy->setGeometry(g.cmdJunseiCopy);
    setButtonColour(cmdJunseiCopy, QColor(255, 255, 192));

    cmdShowPiano = new QPushButton(this);
    cmdShowPiano->setGeometry(g.cmdShowPiano);
    setButtonColour(cmdShowPiano, QColor(255, 255, 192));

    lblMatchedRate = new QLabel(this);
    lblMatchedRate->setGeometry(g.lblMatchedRate);

    cmdPlay = new QPushButton(this);
    cmdPlay->setGeometry(g.cmdPlay);
    cmdPlayJust = new QPushButton(this);
    cmdPlayJust->setGeometry(g.cmdPlayJust);
    for (QPushButton *button : {cmdPlay, cmdPlayJust})
        setButtonColour(button, QColor(255, 224, 192));

    lblPlayers = new QLabel(this);
    lblPlayers->setGeometry(g.lblPlayers);
    tblPlayers = new QTableWidget(0, 4, this);
    tblPlayers->setGeometry(g.tblPlayers);
    tblPlayers->setFont(gothicFont(11.25));
    tblPlayers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblPlayers->setSelectionMode(QAbstractItemView::NoSelection);
    tblPlayers->setFocusPolicy(Qt::NoFocus);
    tblPlayers->verticalHeader()->hide();
    tblPlayers->verticalHeader()->setDefaultSectionSize(tblPlayers->fontMetrics().height() + 4);
    tblPlayers->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        tblPlayers->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    cmdPlayersCopy = new QPushButton(this);
    cmdPlayersCopy->setGeometry(g.cmdPlayersCopy);
    setButtonColour(cmdPlayersCopy, QColor(255, 255, 192));

    for (QPushButton *button :
         {cmdClose, cmdJunseiCopy, cmdShowPiano, cmdPlay, cmdPlayJust, cmdPlayersCopy})
        button->setAutoDefault(false);
    setTabOrder(lstCodes, cmdClose);
    setTabOrder(cmdClose, cmdJunseiCopy);
    setTabOrder(cmdJunseiCopy, cmdShowPiano);
    setTabOrder(cmdShowPiano, cmdPlay);
    setTabOrder(cmdPlay, cmdPlayJust);
    setTabOrder(cmdPlayJust, cmdPlayersCopy);

    connect(lstCodes, &QListWidget::currentRowChanged, this, &frmCodeShow::selectionChanged);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdJunseiCopy, &QPushButton::clicked, this, [this] { copyText(m_junseiText); });
    connect(cmdPlayersCopy, &QPushButton::clicked, this, [this] { copyText(m_playersText); });
    connect(cmdShowPiano, &QPushButton::clicked, this, &frmCodeShow::showPiano);
    connect(cmdPlay, &QPushButton::clicked, this, [this] { playSelected(false); });
    connect(cmdPlayJust, &QPushButton::clicked, this, [this] { playSelected(true); });

    retranslate();
    FillResultList();
    ShowJustTable();
    lstCodes->setFocus();
}

void frmCodeShow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void frmCodeShow::retranslate()
{
    setWindowTitle(tr("コード検索結果"));
    cmdClose->setText(tr("閉じる(&C)"));
    Label1->setText(tr("純正律対応表 (単位：セント)"));
    cmdJunseiCopy->setText(tr("純正律表をコピー(&J)"));
    cmdShowPiano->setText(tr("コードの構成(&S)"));
    cmdPlay->setText(tr("試聴(&P)"));
    cmdPlayJust->setText(tr("純正律で試聴(&T)"));
    const std::string_view ratio = seventhRatio(m_playback.seventh());
    lblPlayers->setText(
        tr("奏者ごとの音程補正 (単位：セント、短7度 %1)")
            .arg(QString::fromLatin1(ratio.data(), static_cast<qsizetype>(ratio.size()))));
    tblPlayers->setHorizontalHeaderLabels({tr("奏者"), tr("記譜音"), tr("度数"), tr("補正")});
    cmdPlayersCopy->setText(tr("音程補正をコピー(&K)"));
    ShowMatchRate();
    showPlayers(); // its words too
}

void frmCodeShow::FillResultList()
{
    lstCodes->clear();
    const int count = m_engine.resultCount();
    for (int i = 0; i < count; ++i)
        lstCodes->addItem(QString::fromStdString(resultLine(m_engine, i)));
    if (count > 0)
        lstCodes->setCurrentRow(0);
}

void frmCodeShow::ShowMatchRate()
{
    const int row = lstCodes->currentRow();
    lblMatchedRate->setText(row < 0 ? tr("合致度：　")
                                    : tr("合致度：　%1％").arg(m_engine.ResultRates[row]));
}

void frmCodeShow::ShowJustTable()
{
    const int row = lstCodes->currentRow();
    if (lstCodes->count() == 0 || row < 0)
        return;
    setJunseiText(QString::fromStdString(justTableText(m_engine, row)));
}

void frmCodeShow::setJunseiText(const QString &text)
{
    m_junseiText = text;
    // A label shows a CR LF as a line break plus a stray character; show lines.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lblJunsei->setText(shown);
}

void frmCodeShow::setPlayers(std::vector<tuning::Player> players)
{
    m_players = std::move(players);
    showPlayers();
}

void frmCodeShow::showPlayers()
{
    const int row = lstCodes->currentRow();
    tuning::PlayerGuide guide;
    if (row >= 0 && lstCodes->count() > 0) {
        const int root = FoldIntoOctave(resultRootNote(m_engine, row), 1) - 1;
        guide = tuning::playerGuide(m_players, root,
                                    m_engine.ChordIntervals[m_engine.ResultChords[row]],
                                    m_playback.seventh());
    }
    const tuning::GuideWords words = {std::string(tuning::kNoToneMark),
                                      tr("ユニゾン").toStdString(), tr("コードなし").toStdString(),
                                      tr("基準").toStdString()};
    const std::vector<tuning::GuideLine> &lines = guide.lines;
    tblPlayers->setRowCount(static_cast<int>(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto cells = tuning::guideCells(lines[i], guide.harmony, words);
        for (size_t column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(QString::fromStdString(cells[column]));
            if (column > 0)
                item->setTextAlignment(Qt::AlignCenter);
            tblPlayers->setItem(static_cast<int>(i), static_cast<int>(column), item);
        }
    }
    m_playersText = QString::fromStdString(tuning::guideText(guide, words));
}

void frmCodeShow::selectionChanged()
{
    ShowJustTable();
    ShowMatchRate();
    showPlayers();
}

void frmCodeShow::copyText(const QString &text)
{
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    m_dialogs.information(this, tr("確認"), tr("クリップボードにコピーしました"));
}

void frmCodeShow::showPiano()
{
    if (lstCodes->count() == 0)
        return;
    const int row = lstCodes->currentRow();
    frmPiano piano(m_engine, row, lstCodes->item(row)->text(), this);
    m_dialogs.runModal(&piano);
}

void frmCodeShow::playSelected(bool just)
{
    const int row = lstCodes->currentRow();
    if (row < 0)
        return;
    const ChordRow &chord = m_engine.ChordIntervals[m_engine.ResultChords[row]];
    const auto tones =
        sound::layOutChord(resultRootNote(m_engine, row), chord, m_engine.BassNote,
                           just ? sound::Tuning::Just : sound::Tuning::Equal,
                           sound::programOf(m_playback.chordSound()), m_playback.seventh());
    m_playback.play(this, tones);
}

void frmCodeShow::done(int result)
{
    m_playback.stop();
    QDialog::done(result);
}

} // namespace chordvane
