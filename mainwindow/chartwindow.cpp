#include "chartwindow.h"

#include "chartview.h"
#include "rowtables.h"
#include "uiplatform.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace chordvane {

namespace {

// Keys the chart answers itself, before the main window's shortcuts.
bool closesChart(const QKeyEvent *key)
{
    return key->matches(QKeySequence::Close) || key->matches(QKeySequence::Cancel) ||
           (key->key() == Qt::Key_W && key->modifiers() == Qt::ControlModifier);
}

bool copiesChart(const QKeyEvent *key)
{
    return key->matches(QKeySequence::Copy);
}

bool printsChart(const QKeyEvent *key)
{
    return key->matches(QKeySequence::Print);
}
} // namespace

ChartWindow::ChartWindow(QWidget *parent, UserDialogs &dialogs)
    : QWidget(parent, Qt::Tool)
    , m_dialogs(dialogs)
{
    m_view = new ChartView;
    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_view);
    connect(m_view, &ChartView::stepChosen, this, &ChartWindow::stepChosen);
    cboInstrument = new QComboBox(this);
    for (const rows::Entry &entry : rows::kTunes)
        cboInstrument->addItem(QString::fromUtf8(entry.text));
    m_instrumentLabel = new QLabel(this);
    m_instrumentLabel->setBuddy(cboInstrument);
    auto *choice = new QHBoxLayout;
    choice->setContentsMargins(6, 4, 6, 0);
    choice->addWidget(m_instrumentLabel);
    choice->addWidget(cboInstrument);
    choice->addStretch();
    cmdCopy = new QPushButton(this);
    cmdSaveText = new QPushButton(this);
    cmdSavePdf = new QPushButton(this);
    cmdPrint = new QPushButton(this);
    for (QPushButton *button : {cmdCopy, cmdSaveText, cmdSavePdf, cmdPrint}) {
        button->setAutoDefault(false);
        choice->addWidget(button);
    }
    connect(cmdCopy, &QPushButton::clicked, this, &ChartWindow::copyChart);
    connect(cmdSaveText, &QPushButton::clicked, this, &ChartWindow::saveText);
    connect(cmdSavePdf, &QPushButton::clicked, this, &ChartWindow::savePdf);
    connect(cmdPrint, &QPushButton::clicked, this, &ChartWindow::printChart);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choice);
    layout->addWidget(m_scroll);
    connect(cboInstrument, &QComboBox::currentIndexChanged, this, &ChartWindow::chartChanged);
    retranslate();
    // Four measures a line and the buttons in view.
    resize(twips(12000), twips(7200));
}

void ChartWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        emit chartChanged();
    }
    QWidget::changeEvent(event);
}

void ChartWindow::showChart(const score::ChartSheet &sheet, const QStringList &tips)
{
    m_view->setSheet(sheet, tips);
}

int ChartWindow::transposition() const
{
    const int index = std::max(cboInstrument->currentIndex(), 0);
    return rows::kTunes[static_cast<size_t>(index)].offset;
}

bool ChartWindow::event(QEvent *event)
{
    // The chart is a tool window of the main one, whose shortcuts would
    // otherwise take Ctrl+W (closing the score) while the chart is active.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (closesChart(key) || copiesChart(key) || printsChart(key)) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void ChartWindow::keyPressEvent(QKeyEvent *event)
{
    if (closesChart(event)) {
        close();
        return;
    }
    if (copiesChart(event)) {
        copyChart();
        return;
    }
    if (printsChart(event)) {
        printChart();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ChartWindow::markStep(int step)
{
    m_view->setCurrentStep(step);
    const QRect shown = m_view->stepRect(step);
    // With room around it, so that its line's heading shows too.
    if (!shown.isEmpty())
        m_scroll->ensureVisible(shown.center().x(), shown.center().y(), shown.width(),
                                3 * shown.height());
}

} // namespace chordvane
