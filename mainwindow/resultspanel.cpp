#include "resultspanel.h"

#include "frmpiano.h"
#include "keyboardpicture.h"
#include "playback.h"
#include "resulttext.h"
#include "uiplatform.h"
#include "voicing.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace chordvane {

namespace {

constexpr KeyboardLayout kKeyboard{0, 0, 1215, 855};

} // namespace

ResultsPanel::ResultsPanel(QMainWindow &window, Playback &playback)
    : QDockWidget(&window)
    , m_playback(playback)
{
    setObjectName(QStringLiteral("resultsPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    auto *content = new QWidget(this);
    lblMatchedRate = new QLabel(content);
    lstCodes = new QListWidget(content);
    lstCodes->setFont(gothicFont(12, true, true));
    lstCodes->setSelectionMode(QAbstractItemView::SingleSelection);
    lstCodes->setMinimumSize(twips(2775), twips(1800));
    Label1 = new QLabel(content);
    lblJunsei = new QLabel(content);
    lblJunsei->setFont(gothicFont(11.25));
    lblJunsei->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblJunsei->setAutoFillBackground(true);
    setBackground(lblJunsei, Qt::white);
    // Eight tones at most, one line each.
    lblJunsei->setMinimumHeight(lblJunsei->fontMetrics().lineSpacing() * 8 + 4);
    keyboard = new KeyboardPicture(kKeyboard, content);
    keyboard->setFixedSize(keyboard->size());
    cmdPlay = new QPushButton(content);
    cmdPlayJust = new QPushButton(content);
    for (QPushButton *button : {cmdPlay, cmdPlayJust}) {
        setButtonColour(button, QColor(255, 224, 192));
        button->setAutoDefault(false);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdPlay);
    buttons->addWidget(cmdPlayJust);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lblMatchedRate);
    layout->addWidget(lstCodes, 1);
    layout->addWidget(Label1);
    layout->addWidget(lblJunsei);
    layout->addWidget(keyboard, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    setWidget(content);
    retranslate();
    // Laid out at once, so that the controls have their sizes before it first shows.
    content->adjustSize();
    layout->setGeometry(content->rect());

    connect(lstCodes, &QListWidget::currentRowChanged, this, &ResultsPanel::selectionChanged);
    connect(cmdPlay, &QPushButton::clicked, this, [this] { playSelected(false); });
    connect(cmdPlayJust, &QPushButton::clicked, this, [this] { playSelected(true); });
    hide();
    window.addDockWidget(Qt::RightDockWidgetArea, this);
}

void ResultsPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDockWidget::changeEvent(event);
}

void ResultsPanel::retranslate()
{
    setWindowTitle(tr("検索結果"));
    Label1->setText(tr("純正律対応表 (単位：セント)"));
    cmdPlay->setText(tr("試聴"));
    cmdPlayJust->setText(tr("純正律で試聴"));
    selectionChanged(); // the rate's words
}

void ResultsPanel::showResults(const ChordTable &table, std::vector<ChordMatch> found, int bass)
{
    // The chord kept is the same chord on the same root, whatever its rate now.
    const ChordMatch *before = selected();
    const int keptChord = before ? before->chord : -1;
    const int keptRoot = before ? before->root : NO_NOTE;
    m_table = &table;
    m_found = std::move(found);
    m_bass = FoldIntoOctave(bass, 1);
    const auto again = std::find_if(m_found.begin(), m_found.end(), [&](const ChordMatch &match) {
        return match.chord == keptChord && match.root == keptRoot;
    });
    const int row = again == m_found.end() ? 0 : static_cast<int>(again - m_found.begin());
    const QSignalBlocker quiet(lstCodes); // one refresh, below
    lstCodes->clear();
    for (const ChordMatch &match : m_found)
        lstCodes->addItem(QString::fromStdString(resultLine(table, match, m_bass)));
    if (!m_found.empty())
        lstCodes->setCurrentRow(row);
    selectionChanged();
}

void ResultsPanel::clearResults()
{
    m_table = nullptr;
    m_found.clear();
    const QSignalBlocker quiet(lstCodes);
    lstCodes->clear();
    selectionChanged();
}

const ChordMatch *ResultsPanel::selected() const
{
    const int row = lstCodes->currentRow();
    if (!m_table || row < 0 || static_cast<size_t>(row) >= m_found.size())
        return nullptr;
    return &m_found[static_cast<size_t>(row)];
}

void ResultsPanel::selectionChanged()
{
    const ChordMatch *match = selected();
    cmdPlay->setEnabled(match);
    cmdPlayJust->setEnabled(match);
    if (!match) {
        lblMatchedRate->setText(tr("合致度：　"));
        lblJunsei->clear();
        keyboard->reset();
        return;
    }
    lblMatchedRate->setText(tr("合致度：　%1％").arg(match->rate));
    const int root = match->root == NO_NOTE ? m_bass : match->root;
    const ChordRow &row = m_table->row(match->chord);
    lblJunsei->setText(QString::fromStdString(justTableText(row, root, "\n")));
    lightChord(*keyboard, row, root, m_bass);
}

void ResultsPanel::playSelected(bool just)
{
    const ChordMatch *match = selected();
    if (!match)
        return;
    const int root = match->root == NO_NOTE ? m_bass : match->root;
    m_playback.play(this, sound::layOutChord(root, m_table->row(match->chord), m_bass,
                                             just ? sound::Tuning::Just : sound::Tuning::Equal,
                                             sound::programOf(m_playback.chordSound()),
                                             m_playback.seventh()));
}

} // namespace chordvane
