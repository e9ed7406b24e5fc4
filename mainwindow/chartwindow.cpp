#include "chartwindow.h"

#include "rowtables.h"
#include "uiplatform.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace chordvane {

namespace {
constexpr int kStepRole = Qt::UserRole;

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
    m_table = new QTableWidget(this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->hide();
    m_table->setFont(gothicFont(12, true));
    m_table->verticalHeader()->setFont(gothicFont(10.5));
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
    layout->addWidget(m_table);
    // Every beat of a measure in view, whatever the window's width.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(cboInstrument, &QComboBox::currentIndexChanged, this, &ChartWindow::chartChanged);
    retranslate();
    // Four beats of a 4/4 measure and the buttons in view.
    resize(twips(10800), twips(6000));
    // A click or Enter on a step goes there; an empty beat goes nowhere.
    const auto choose = [this](int line, int column) {
        const QTableWidgetItem *item = m_table->item(line, column);
        if (item)
            emit stepChosen(item->data(kStepRole).toInt());
    };
    connect(m_table, &QTableWidget::cellClicked, this, choose);
    connect(m_table, &QTableWidget::cellActivated, this, choose);
}

void ChartWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        emit chartChanged();
    }
    QWidget::changeEvent(event);
}

void ChartWindow::showChart(const QStringList &measures, const std::vector<ChartCell> &cells)
{
    m_cells = cells;
    const QSignalBlocker quiet(m_table);
    m_table->clear();
    int columns = 1;
    for (const ChartCell &cell : cells)
        columns = std::max(columns, cell.column + 1);
    m_table->setRowCount(static_cast<int>(measures.size()));
    m_table->setColumnCount(columns);
    m_table->setVerticalHeaderLabels(measures);
    for (size_t i = 0; i < cells.size(); ++i) {
        auto *item = new QTableWidgetItem(cells[i].symbol);
        item->setData(kStepRole, static_cast<int>(i));
        item->setTextAlignment(Qt::AlignCenter);
        m_table->setItem(cells[i].line, cells[i].column, item);
    }
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
    const auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride &&
        (closesChart(key) || copiesChart(key) || printsChart(key))) {
        event->accept();
        return true;
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
    const QSignalBlocker quiet(m_table);
    if (step < 0 || step >= static_cast<int>(m_cells.size())) {
        m_table->clearSelection();
        return;
    }
    const ChartCell &cell = m_cells[static_cast<size_t>(step)];
    m_table->setCurrentCell(cell.line, cell.column);
    m_table->scrollToItem(m_table->item(cell.line, cell.column));
}

} // namespace chordvane
