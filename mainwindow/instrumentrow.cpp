#include "instrumentrow.h"

#include "ctlnoteinput.h"
#include "fixedpitch.h"
#include "musictext.h"
#include "notes.h"
#include "rowtables.h"
#include "spelling.h"
#include "staffmodel.h"
#include "uiplatform.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace chordvane {

namespace {

// Which entry of sound::kInstruments an instrument list entry is; a part's
// entry has none.
constexpr int kInstrumentRole = Qt::UserRole + 1;

QRect fromTwips(const QRect &r)
{
    return twipsRect(r.x(), r.y(), r.width(), r.height());
}

// Placed at its twip position; a zero height keeps the widget's own height.
void place(QWidget *widget, const QRect &twipRect)
{
    QRect r = fromTwips(twipRect);
    if (r.height() == 0)
        r.setHeight(widget->sizeHint().height());
    widget->setGeometry(r);
}

// The instrument list, its entry's whole name cut to the box with "…": the
// list itself, opened, is as wide as its longest name.
class InstrumentBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        option.currentText =
            fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width() - 4);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

bool hasPartEntry(const QComboBox *box)
{
    return box->count() > 0 && box->itemData(0, kInstrumentRole).toInt() < 0;
}

} // namespace

InstrumentRow::InstrumentRow(int row, QWidget *parent)
    : QObject(parent)
    , m_row(row)
{
    const rows::RowGeometry g = rows::geometryOf(row);
    m_staff = new chordvane::ctlNoteInput(parent);
    m_staff->placeAt(fromTwips(g.staff));
    connect(m_staff, &chordvane::ctlNoteInput::Changed, this, [this] {
        editedByHand();
        emit changed(Change::Note);
    });

    m_instrument = new InstrumentBox(parent);
    place(m_instrument, g.instrument);
    connect(m_instrument, &QComboBox::currentIndexChanged, this, [this](int index) {
        // Cut to fit, the name is whole in the tool tip.
        m_instrument->setToolTip(
            index < 0 ? QString() : m_instrument->itemData(index, Qt::ToolTipRole).toString());
    });
    // Every choice counts, also of the entry shown: it restores the
    // instrument's transposition after the list was changed by hand.
    connect(m_instrument, &QComboBox::activated, this, &InstrumentRow::instrumentChosen);
    m_tune = new QComboBox(parent);
    place(m_tune, g.tune);
    connect(m_tune, &QComboBox::currentIndexChanged, this, [this] {
        editedByHand();
        emit changed(Change::Note);
    });

    if (row != rows::kBassRow) {
        m_use = new QCheckBox(parent);
        place(m_use, g.check);
        connect(m_use, &QCheckBox::toggled, this, [this](bool checked) {
            setInUse(checked);
            emit changed(Change::Tick);
        });
    }

    m_result = new MusicLabel(parent); // "A♭", not "A ♭"
    m_result->setFrameShape(QFrame::Box);
    m_result->setAlignment(Qt::AlignCenter);
    m_result->setFont(gothicFont(15.75, true));
    m_result->setAutoFillBackground(true);
    m_result->setGeometry(fromTwips(g.result));
}

void InstrumentRow::reset()
{
    const QSignalBlocker quietTune(m_tune);
    m_tune->clear();
    for (const rows::Entry &tune : rows::kTunes)
        m_tune->addItem(QString::fromUtf8(tune.text), tune.offset);
    m_tune->setCurrentIndex(0);

    m_instrument->clear();
    for (size_t i = 0; i < sound::kInstruments.size(); ++i) {
        m_instrument->addItem(QString(), sound::kInstruments[i].offset);
        m_instrument->setItemData(static_cast<int>(i), static_cast<int>(i), kInstrumentRole);
    }
    nameInstruments();
    m_instrument->setCurrentIndex(0);
    m_instrument->setToolTip(QString());
    m_part = {};
    m_voice = sound::voiceOf(sound::kInstruments[0]);
    m_spelling.reset();

    setInUse(false);
    m_result->clear();
}

void InstrumentRow::retranslate()
{
    nameInstruments();
    if (!m_result->text().isEmpty())
        showConcertName(true); // "B(H)" is "B" in English
}

void InstrumentRow::nameInstruments()
{
    for (int i = 0; i < m_instrument->count(); ++i) {
        const int instrument = m_instrument->itemData(i, kInstrumentRole).toInt();
        if (instrument < 0)
            continue;
        const QString name = instrumentName(static_cast<size_t>(instrument));
        m_instrument->setItemText(i, name);
        m_instrument->setItemData(i, instrument > 0 ? QVariant(name) : QVariant(), Qt::ToolTipRole);
    }
    if (m_instrument->currentIndex() >= 0 && m_part.name.isEmpty())
        m_instrument->setToolTip(m_instrument->currentData(Qt::ToolTipRole).toString());
    m_instrument->view()->setMinimumWidth(
        m_instrument->view()->sizeHintForColumn(0) +
        m_instrument->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

QString InstrumentRow::instrumentName(size_t instrument)
{
    const std::string name(sound::kInstruments[instrument].name);
    return tr(name.c_str());
}

void InstrumentRow::showNote(const WrittenNote &note)
{
    {
        // One change for the whole note, clef and all.
        const QSignalBlocker quiet(m_staff);
        if (m_staff->ScoreType() != note.scoreType)
            m_staff->setScoreType(note.scoreType);
        m_staff->setSpelledValue(note.value, note.accidental);
    }
    m_spelling = note.concertSpelling;
    emit changed(Change::Note);
}

void InstrumentRow::showRest(int scoreType)
{
    if (m_staff->ScoreType() != scoreType) {
        const QSignalBlocker quiet(m_staff);
        m_staff->setScoreType(scoreType);
    }
    setInUse(false);
    m_result->clear(); // a rest names no note
    emit changed(Change::Tick);
}

void InstrumentRow::showPart(const RowPart &part)
{
    if (part.name.isEmpty()) {
        clearPart();
        m_part.fixedPitch = part.fixedPitch; // no name, but its program
        m_voice = part.voice;
        selectTune(part.tune);
        return;
    }
    if (!hasPartEntry(m_instrument)) {
        m_instrument->insertItem(0, QString());
        m_instrument->setItemData(0, -1, kInstrumentRole);
    }
    m_part = part;
    m_voice = part.voice;
    m_instrument->setItemText(0, fittedPartName());
    m_instrument->setItemData(0, part.name, Qt::ToolTipRole);
    m_instrument->setItemData(0, part.tune);
    m_instrument->setToolTip(part.name);
    m_instrument->setCurrentIndex(0);
    selectTune(part.tune);
}

void InstrumentRow::clearPart()
{
    if (hasPartEntry(m_instrument))
        m_instrument->removeItem(0);
    m_part = {};
    m_instrument->setToolTip(QString());
    m_instrument->setCurrentIndex(0);
}

void InstrumentRow::setInUse(bool inUse)
{
    if (m_use) {
        const QSignalBlocker quiet(m_use);
        m_use->setChecked(inUse);
    }
    setBackground(m_result,
                  this->inUse() ? QColor(Qt::white) : m_result->palette().color(QPalette::Button));
}

void InstrumentRow::showConcertName(bool showing)
{
    m_result->setText(showing ? concertName() : QString());
}

QString InstrumentRow::concertName() const
{
    if (m_spelling)
        return QString::fromStdString(harmony::noteName(*m_spelling));
    const std::string_view name = NoteName(concertNote());
    // B's German name beside it means something to Japanese players only.
    if (FoldIntoOctave(concertNote(), 1) == 12)
        return tr("B(H)");
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

RowState InstrumentRow::state() const
{
    const ctlNoteInput::State &staff = m_staff->state();
    return {{staff.NaturalNote + staff.Accidental, staff.Accidental, staff.ScoreType, m_spelling},
            m_instrument->currentIndex(),
            m_tune->currentIndex(),
            inUse(),
            !m_result->text().isEmpty(),
            m_part,
            m_voice};
}

void InstrumentRow::restore(const RowState &state)
{
    {
        const QSignalBlocker quiet(m_staff);
        if (m_staff->ScoreType() != state.note.scoreType)
            m_staff->setScoreType(state.note.scoreType);
        m_staff->setSpelledValue(state.note.value, state.note.accidental);
    }
    if (state.part.name.isEmpty())
        clearPart();
    else
        showPart(state.part);
    m_instrument->setCurrentIndex(state.instrument);
    {
        const QSignalBlocker quiet(m_tune);
        m_tune->setCurrentIndex(state.tune);
    }
    m_voice = state.voice;
    m_spelling = state.note.concertSpelling;
    setInUse(state.inUse);
    showConcertName(state.named);
}

void InstrumentRow::editedByHand()
{
    // A name spelled by the score no longer fits a note changed by hand.
    m_spelling.reset();
}

bool InstrumentRow::inUse() const
{
    return !m_use || m_use->isChecked();
}

int InstrumentRow::concertNote() const
{
    return static_cast<qint16>(m_staff->Value() + m_tune->currentData().toInt());
}

int InstrumentRow::soundingKey() const
{
    return sound::soundingKey(m_staff->Value(), m_staff->ScoreType() == staff::kBass,
                              m_tune->currentData().toInt(), m_voice);
}

tuning::Player InstrumentRow::tuningPlayer() const
{
    QString name = m_part.name;
    if (name.isEmpty() && m_instrument->currentData(kInstrumentRole).toInt() > 0)
        name = m_instrument->currentText();
    if (name.isEmpty())
        name = m_use ? tr("段 %1").arg(m_row + 1) : tr("ベース");
    const int written = sound::writtenKey(m_staff->Value(), m_staff->ScoreType() == staff::kBass);
    // An instrument chosen from the list by hand goes by its name there; a
    // score's part (the entry before the list's) by its program, else name.
    const int instrument = m_instrument->currentData(kInstrumentRole).toInt();
    const bool fixed =
        instrument > 0
            ? tuning::fixedPitch(-1, sound::kInstruments[static_cast<size_t>(instrument)].name)
            : m_part.fixedPitch;
    return {name.toStdString(), tuning::pitchName(written, m_staff->state().Accidental),
            soundingKey(), !m_use, fixed};
}

void InstrumentRow::instrumentChosen()
{
    const int index = m_instrument->currentIndex();
    if (index < 0)
        return;
    const int instrument = m_instrument->itemData(index, kInstrumentRole).toInt();
    m_voice = instrument < 0 ? m_part.voice : sound::voiceOf(sound::kInstruments[instrument]);
    const int tune = m_tune->currentIndex();
    if (selectTune(m_instrument->itemData(index).toInt())) {
        if (m_tune->currentIndex() != tune)
            editedByHand();
        emit changed(Change::Note);
    }
}

bool InstrumentRow::selectTune(int offset)
{
    const int tune = m_tune->findData(offset);
    if (tune < 0)
        return false;
    const QSignalBlocker quiet(m_tune);
    m_tune->setCurrentIndex(tune);
    return true;
}

QString InstrumentRow::fittedPartName() const
{
    QStyleOptionComboBox option;
    option.initFrom(m_instrument);
    const QRect field = m_instrument->style()->subControlRect(
        QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, m_instrument);
    // The style draws the text a few pixels inside the field.
    const int room = field.width() - 4;
    const QFontMetrics metrics = m_instrument->fontMetrics();
    if (metrics.horizontalAdvance(m_part.name) <= room || m_part.abbreviation.isEmpty())
        return metrics.elidedText(m_part.name, Qt::ElideRight, room);
    return metrics.elidedText(m_part.abbreviation, Qt::ElideRight, room);
}

} // namespace chordvane
