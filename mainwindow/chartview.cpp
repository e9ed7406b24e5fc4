#include "chartview.h"

#include "musictext.h"
#include "uiplatform.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace chordvane {

namespace {

constexpr int kMargin = 12;
constexpr int kGap = 10; // the least room after a symbol, before the next or the bar line
constexpr int kMostPerLine = 4;
constexpr int kLeastPerLine = 2;

QFont titleFont()
{
    return gothicFont(14, true);
}
QFont symbolFont()
{
    return gothicFont(13, true);
}
QFont smallFont()
{
    return gothicFont(9.5);
}

int textWidth(const QFont &font, const QString &text)
{
    return musicTextWidth(text, font);
}

} // namespace

ChartView::ChartView(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void ChartView::setSheet(const score::ChartSheet &sheet, const QStringList &tips)
{
    m_sheet = sheet;
    m_tips = tips;
    layOut();
}

void ChartView::setCurrentStep(int step)
{
    m_current = stepRect(step).isEmpty() ? -1 : step;
    update();
}

QRect ChartView::stepRect(int step) const
{
    for (const Item &item : m_items) {
        if (item.kind == Item::Symbol && item.step == step)
            return item.rect;
    }
    return {};
}

// Symbols stand at their beats, so the measure must be wide enough that
// those of each beat fit, side by side, before the next beat that carries one.
int ChartView::barWidthNeeded(const score::ChartBar &bar) const
{
    const QFont font = symbolFont();
    int needed = textWidth(font, QStringLiteral("%")) + 2 * kGap;
    int room = 0;
    for (size_t i = 0; i < bar.symbols.size(); ++i) {
        room += textWidth(font, bar.symbols[i].text) + kGap;
        const int next = i + 1 < bar.symbols.size() ? bar.symbols[i + 1].column : bar.columns;
        if (next == bar.symbols[i].column)
            continue;
        const int span = std::max(next - bar.symbols[i].column, 1);
        needed = std::max(needed, kGap + (room * bar.columns + span - 1) / span);
        room = 0;
    }
    return needed;
}

void ChartView::layOut()
{
    m_items.clear();
    const QFontMetrics title(titleFont()), symbol(symbolFont()), small(smallFont());
    const int gutter = small.horizontalAdvance(QStringLiteral("0000")) + 6;
    int widest = 0;
    for (const score::ChartBar &bar : m_sheet.bars)
        widest = std::max(widest, barWidthNeeded(bar));
    const int usable = width() - 2 * kMargin - gutter;
    m_perLine = usable >= kMostPerLine * widest ? kMostPerLine : kLeastPerLine;
    // Narrower than two measures need: the scroll area scrolls sideways.
    setMinimumWidth(2 * kMargin + gutter + kLeastPerLine * widest);
    const int barWidth = std::max(usable, kLeastPerLine * widest) / m_perLine;

    int y = kMargin;
    const auto line = [&](Item::Kind kind, const QString &text, const QFontMetrics &metrics) {
        m_items.push_back({kind, text, QRect(kMargin, y, width() - 2 * kMargin, metrics.height())});
        y += metrics.height() + 4;
    };
    line(Item::Title, m_sheet.title, title);
    if (!m_sheet.instrument.isEmpty())
        line(Item::Instrument, m_sheet.instrument, small);
    y += 6;
    const int rowHeight = symbol.height() + 16;
    for (const std::vector<size_t> &bars : score::chartLines(m_sheet, m_perLine)) {
        const score::ChartBar &first = m_sheet.bars[bars.front()];
        if (first.beginsLine()) {
            int x = kMargin + gutter;
            const int height = small.height() + 6;
            if (!first.rehearsal.isEmpty()) {
                const int w = title.horizontalAdvance(first.rehearsal) + 10;
                m_items.push_back({Item::Rehearsal, first.rehearsal,
                                   QRect(x, y, w, title.height() + 4), -1, bars.front()});
                x += w + 10;
            }
            if (!first.changes.isEmpty()) {
                m_items.push_back({Item::Heading, first.changes,
                                   QRect(x, y, textWidth(smallFont(), first.changes) + 2, height)});
            }
            y += std::max(height, first.rehearsal.isEmpty() ? 0 : title.height() + 8);
        }
        m_items.push_back({Item::Number, first.number,
                           QRect(kMargin, y, gutter - 6, small.height()), -1, bars.front()});
        int x = kMargin + gutter;
        const auto barLine = [&](bool doubleBar) {
            const int w = doubleBar ? 5 : 1;
            m_items.push_back({Item::BarLine,
                               doubleBar ? QStringLiteral("||") : QStringLiteral("|"),
                               QRect(x - w + 1, y, w, rowHeight)});
        };
        barLine(false);
        for (const size_t b : bars) {
            const score::ChartBar &bar = m_sheet.bars[b];
            const QRect cell(x, y, barWidth, rowHeight);
            const int inner = barWidth - kGap;
            int taken = x; // where the symbol before ends: two in one beat stand side by side
            for (const score::ChartSymbol &s : bar.symbols) {
                const int left = std::max(x + kGap + inner * s.column / bar.columns, taken + kGap);
                taken = left + textWidth(symbolFont(), s.text);
                m_items.push_back(
                    {Item::Symbol, s.text,
                     QRect(left, y + 8, textWidth(symbolFont(), s.text), symbol.height()),
                     int(s.step), b});
            }
            if (bar.symbols.empty()) {
                m_items.push_back({Item::Repeat, QStringLiteral("%"),
                                   QRect(cell.center().x() - symbol.horizontalAdvance(u'%'), y + 8,
                                         2 * symbol.horizontalAdvance(u'%'), symbol.height()),
                                   -1, b});
            }
            x += barWidth;
            barLine(bar.doubleBar);
        }
        y += rowHeight + 10;
    }
    setMinimumHeight(y + kMargin);
    update();
}

void ChartView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette::ColorRole ink = QPalette::Text;
    painter.setPen(palette().color(ink));
    const QRect current = stepRect(m_current);
    if (!current.isEmpty())
        painter.fillRect(current.adjusted(-4, -2, 4, 2), palette().color(QPalette::Highlight));
    for (const Item &item : m_items) {
        if (item.kind == Item::BarLine) {
            painter.setPen(palette().color(ink));
            painter.drawLine(item.rect.topRight(), item.rect.bottomRight());
            if (item.rect.width() > 1)
                painter.drawLine(item.rect.topLeft(), item.rect.bottomLeft());
            continue;
        }
        painter.setPen(palette().color(
            item.step == m_current && item.step >= 0 ? QPalette::HighlightedText : ink));
        switch (item.kind) {
        case Item::Title:
        case Item::Rehearsal:
            painter.setFont(titleFont());
            break;
        case Item::Symbol:
        case Item::Repeat:
            painter.setFont(symbolFont());
            break;
        default:
            painter.setFont(smallFont());
        }
        const int align = item.kind == Item::Number      ? Qt::AlignRight | Qt::AlignTop
                          : item.kind == Item::Rehearsal ? Qt::AlignCenter
                                                         : Qt::AlignLeft | Qt::AlignVCenter;
        drawMusicText(painter, item.rect, align, item.text, painter.font());
        if (item.kind == Item::Rehearsal)
            painter.drawRect(item.rect.adjusted(0, 0, -1, -1));
    }
}

const ChartView::Item *ChartView::symbolAt(const QPoint &point) const
{
    for (const Item &item : m_items) {
        if (item.kind == Item::Symbol && item.rect.adjusted(-4, -4, 4, 4).contains(point))
            return &item;
    }
    return nullptr;
}

void ChartView::mousePressEvent(QMouseEvent *event)
{
    if (const Item *item = symbolAt(event->position().toPoint()))
        emit stepChosen(item->step);
    QWidget::mousePressEvent(event);
}

void ChartView::keyPressEvent(QKeyEvent *event)
{
    const int by = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (by == 0 || event->modifiers() != Qt::NoModifier || m_tips.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit stepChosen(std::clamp(m_current + by, 0, int(m_tips.size()) - 1));
}

bool ChartView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const Item *item = symbolAt(help->pos());
        if (item && item->step < m_tips.size())
            QToolTip::showText(help->globalPos(), m_tips[item->step], this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace chordvane
