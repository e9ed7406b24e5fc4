#include "frmcodeshow.h"

#include "frmpiano.h"
#include "playback.h"
#include "resulttext.h"
#include "uiplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

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
    QSize client = QSize(twips(6195), twips(4875));
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

    for (QPushButton *button : {cmdClose, cmdJunseiCopy, cmdShowPiano, cmdPlay, cmdPlayJust})
        button->setAutoDefault(false);
    setTabOrder(lstCodes, cmdClose);
    setTabOrder(cmdClose, cmdJunseiCopy);
    setTabOrder(cmdJunseiCopy, cmdShowPiano);
    setTabOrder(cmdShowPiano, cmdPlay);
    setTabOrder(cmdPlay, cmdPlayJust);

    connect(lstCodes, &QListWidget::currentRowChanged, this, &frmCodeShow::selectionChanged);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdJunseiCopy, &QPushButton::clicked, this, &frmCodeShow::copyJustTable);
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
    ShowMatchRate();
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

void frmCodeShow::selectionChanged()
{
    ShowJustTable();
    ShowMatchRate();
}

void frmCodeShow::copyJustTable()
{
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_junseiText);
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
    const auto tones = sound::layOutChord(resultRootNote(m_engine, row), chord, m_engine.BassNote,
                                          just ? sound::Tuning::Just : sound::Tuning::Equal,
                                          sound::programOf(m_playback.chordSound()));
    m_playback.play(this, tones);
}

void frmCodeShow::done(int result)
{
    m_playback.stop();
    QDialog::done(result);
}

} // namespace chordvane
