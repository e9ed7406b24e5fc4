#include "ctlnoteinput.h"

#include "clefdrawing.h"
#include "staffmodel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace chordvane {

namespace detail {

// The staff area shows a picture that only the control draws into, so it
// survives being covered and uncovered without the control redrawing.
class StaffArea : public QWidget {
public:
    explicit StaffArea(QWidget *parent)
        : QWidget(parent)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QImage image;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(QPointF(0, 0), image);
    }
};

class ClefPicture : public QWidget {
public:
    ClefPicture(QWidget *parent, QPainterPath clef, QColor background)
        : QWidget(parent)
        , m_clef(std::move(clef))
        , m_background(std::move(background))
    {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_background);
        staff::paintClef(painter, m_clef, QRectF(rect()));
    }

private:
    QPainterPath m_clef;
    QColor m_background;
};

} // namespace detail

namespace {

constexpr float kResetPosition = (11 - 1) / 2.0f + 0.3f; // in the band that reads C
constexpr float kBassResetPosition = kResetPosition + 1.0f;

float snapToStep(float y)
{
    return std::floor(2 * y) / 2;
}

} // namespace

ctlNoteInput::ctlNoteInput(QWidget *parent)
    : ctlNoteInput(parent, Deferred{})
{
    initialize();
}

ctlNoteInput::ctlNoteInput(QWidget *parent, Deferred)
    : QWidget(parent)
    , m_picMain(new detail::StaffArea(this))
    , m_picToon(
          new detail::ClefPicture(this, staff::trebleClefPath(), palette().color(QPalette::Window)))
    , m_picHeon(new detail::ClefPicture(this, staff::bassClefPath(), Qt::white))
{
    retranslate();
    for (QWidget *picture : {static_cast<QWidget *>(m_picMain), static_cast<QWidget *>(m_picToon),
                             static_cast<QWidget *>(m_picHeon)})
        picture->installEventFilter(this);
}

void ctlNoteInput::retranslate()
{
    m_picMain->setToolTip(tr("右クリックで臨時記号"));
    m_picToon->setToolTip(tr("クリックするとヘ音記号"));
    m_picHeon->setToolTip(tr("クリックするとト音記号"));
}

void ctlNoteInput::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ctlNoteInput::initialize()
{
    m_state.ScoreType = staff::kTreble;
    m_state.Accidental = 0;
    layoutPictures();
    ResetNote();
    emit Changed(Value());
}

void ctlNoteInput::placeAt(const QRect &geometry)
{
    const QSize old = size();
    setGeometry(geometry);
    if (isVisible())
        return; // a visible widget gets its resize event at once
    QResizeEvent event(geometry.size(), old);
    QCoreApplication::sendEvent(this, &event);
    setAttribute(Qt::WA_PendingResizeEvent, false);
}

int ctlNoteInput::Value() const
{
    return static_cast<qint16>(m_state.NaturalNote + m_state.Accidental);
}

void ctlNoteInput::setValue(int mValue)
{
    const auto value = static_cast<qint16>(mValue);
    // A number between two naturals is shown as the natural below it with a
    // sharp, so that the staff always shows what Value reports.
    setSpelledValue(value, staff::isNaturalNote(value) ? 0 : 1);
}

void ctlNoteInput::setSpelledValue(int value, int accidental)
{
    if (accidental < -1 || accidental > 1 || !staff::isNaturalNote(value - accidental))
        accidental = staff::isNaturalNote(value) ? 0 : 1;
    m_state.Accidental = static_cast<qint16>(accidental);
    m_state.NaturalNote = static_cast<qint16>(value - accidental);
    m_state.NotePosition = staff::NoteToPosition(m_state.NaturalNote, m_state.ScoreType);
    DrawStaff();
    DrawNote(m_state.NotePosition, Qt::black);
    emit Changed(Value());
}

int ctlNoteInput::ScoreType() const
{
    return m_state.ScoreType;
}

void ctlNoteInput::setScoreType(int SType)
{
    m_state.ScoreType = SType;
    ResetNote();
}

void ctlNoteInput::GhostClear()
{
    if (!m_state.GhostShown)
        return;
    DrawStaff();
    DrawNote(m_state.NotePosition, Qt::black);
    m_state.GhostShown = false;
}

const QImage &ctlNoteInput::staffImage() const
{
    return m_picMain->image;
}
QWidget *ctlNoteInput::picMain() const
{
    return m_picMain;
}
QWidget *ctlNoteInput::picToon() const
{
    return m_picToon;
}
QWidget *ctlNoteInput::picHeon() const
{
    return m_picHeon;
}

void ctlNoteInput::ResetNote()
{
    m_state.NaturalNote = 1;
    ShowClefPicture();
    // The head goes where the clef reads C, so the staff shows what Value says.
    m_state.NotePosition = m_state.ScoreType == staff::kBass ? kBassResetPosition : kResetPosition;
    DrawStaff();
    DrawNote(m_state.NotePosition, Qt::black);
    emit Changed(Value());
}

void ctlNoteInput::ShowClefPicture()
{
    const bool treble = m_state.ScoreType == staff::kTreble;
    m_picToon->setVisible(treble);
    m_picHeon->setVisible(!treble);
}

void ctlNoteInput::DrawStaff()
{
    const QSize area = m_picMain->size();
    const qreal sx = area.width() / 10.0, sy = area.height() / 10.0;
    m_toPixels = QTransform(sx, 0, 0, sy, 1 * sx, 3 * sy); // x -1..9, y -3..7

    const qreal ratio = devicePixelRatioF();
    QImage &image = m_picMain->image;
    if (image.size() != area * ratio) {
        image = QImage(area * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    const int w = 8;
    for (int y = 0; y <= 4; ++y)
        painter.drawLine(m_toPixels.map(QLineF(0, y, w, y)));
    m_picMain->update();
}

void ctlNoteInput::DrawNote(float y, const QColor &colour)
{
    QPainter painter(&m_picMain->image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(colour);
    QFont font = m_picMain->font();
    font.setPointSizeF(11);
    font.setBold(true);
    painter.setFont(font);

    const qreal xc = 4;
    const qreal yn = snapToStep(y);
    // Round in pixels: the radius is half a horizontal unit in both directions.
    const qreal radius = 0.5 * m_toPixels.m11();
    painter.drawEllipse(m_toPixels.map(QPointF(xc, yn)), radius, radius);

    const QString sign = m_state.Accidental == -1  ? QStringLiteral("♭")
                         : m_state.Accidental == 1 ? QStringLiteral("♯")
                                                   : QString();
    if (!sign.isEmpty()) {
        const QPointF topLeft = m_toPixels.map(QPointF(xc + 1, yn - 0.5));
        painter.drawText(QRectF(topLeft, QSizeF(1000, 1000)), Qt::AlignLeft | Qt::AlignTop, sign);
    }

    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto ledger = [&](qreal t) {
        painter.drawLine(m_toPixels.map(QLineF(xc - 1.5, t, xc + 1.5, t)));
    };
    const bool onLine = yn == std::floor(yn);
    if (y < 0) {
        const qreal t0 = onLine ? yn : yn + 0.5;
        for (int i = 0; i <= 10 && t0 + i < 0; ++i)
            ledger(t0 + i);
    } else if (y >= 5) {
        const qreal t0 = onLine ? yn : yn - 0.5;
        for (int i = 0; i <= 10 && t0 - i > 4; ++i)
            ledger(t0 - i);
    }
    m_picMain->update();
}

void ctlNoteInput::layoutPictures()
{
    const float w = static_cast<float>(width()), h = static_cast<float>(height());
    const int clefWidth = qRound(w / 5 * 2);
    const int staffWidth = qRound(w / 5 * 3);
    m_picHeon->setGeometry(0, 0, clefWidth, qRound(h));
    m_picToon->setGeometry(0, 0, clefWidth, qRound(h));
    m_picMain->setGeometry(clefWidth, 0, staffWidth, qRound(h));
}

void ctlNoteInput::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPictures();
    ResetNote();
}

float ctlNoteInput::staffY(const QPointF &position) const
{
    // A drag keeps reporting past the area's edges; those notes could not be
    // seen, and far enough out they would reach the engine's empty marker.
    return staff::clampToStaffArea(static_cast<float>(m_toPixels.inverted().map(position).y()));
}

bool ctlNoteInput::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (watched == m_picMain) {
        if (type == QEvent::MouseMove)
            staffMouseMove(mouse->buttons(), staffY(mouse->position()));
        else if (type == QEvent::MouseButtonRelease)
            staffMouseUp(mouse->button(), staffY(mouse->position()));
        return true; // presses are taken so that a drag keeps reporting here
    }
    if (watched == m_picToon || watched == m_picHeon) {
        auto *picture = static_cast<QWidget *>(watched);
        if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
            picture->rect().contains(mouse->position().toPoint())) {
            // A click on the visible clef switches to the other one.
            setScoreType(watched == m_picToon ? staff::kBass : staff::kTreble);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ctlNoteInput::enterNote(float y)
{
    m_state.NaturalNote =
        static_cast<qint16>(staff::StepToNote(staff::stepFromY(y), m_state.ScoreType));
    m_state.NotePosition = y;
    m_state.GhostShown = false;
    emit Changed(Value());
    DrawStaff();
    DrawNote(y, Qt::black);
}

void ctlNoteInput::staffMouseMove(Qt::MouseButtons buttons, float y)
{
    if (buttons == Qt::LeftButton) {
        enterNote(y);
    } else if (buttons == Qt::NoButton) {
        m_state.GhostShown = true;
        DrawStaff();
        DrawNote(y, GHOST_COLOUR);
        DrawNote(m_state.NotePosition, Qt::black);
    }
}

void ctlNoteInput::staffMouseUp(Qt::MouseButton button, float y)
{
    if (button == Qt::LeftButton) {
        enterNote(y);
    } else if (button == Qt::RightButton) {
        const float p = staff::NoteToPosition(m_state.NaturalNote, m_state.ScoreType);
        m_state.Accidental = static_cast<qint16>(staff::CycleAccidental(m_state.Accidental));
        emit Changed(Value());
        DrawStaff();
        DrawNote(p, Qt::black);
    } else {
        DrawStaff();
        DrawNote(m_state.NotePosition, Qt::black);
    }
}

} // namespace chordvane
