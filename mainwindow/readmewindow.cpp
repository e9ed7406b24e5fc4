#include "readmewindow.h"

#include "uiplatform.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace chordvane {

namespace {
// A window frame's side, as desktops draw it.
constexpr int kFrameBorder = 4;
} // namespace

ReadMeWindow::ReadMeWindow(QWidget *owner)
    : QDialog(owner)
    , m_text(new QPlainTextEdit(this))
{
    m_text->setReadOnly(true);
    m_text->setFont(gothicFont(10.5));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap); // the read-me lines its text up itself
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    // The read-me's lines hold up to about 40 full-width characters; 40 lines
    // tall. A smaller screen (or a large scale) gets a smaller window at the
    // same type size: the text scrolls rather than running off the screen.
    const QFontMetrics metrics(m_text->font());
    const QSize design(metrics.horizontalAdvance(QChar(0x3042)) * 44 +
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                       metrics.lineSpacing() * 40);
    const QScreen *screen = owner ? owner->screen() : this->screen();
    // The window manager's title bar and borders come on top of the window's own size.
    const QSize frame(2 * kFrameBorder,
                      style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * kFrameBorder);
    resize(design.boundedTo(screen->availableSize() - frame));
}

void ReadMeWindow::showText(const QString &fileName, const QString &text)
{
    setWindowTitle(fileName);
    m_text->setPlainText(text);
    show();
    raise();
    activateWindow();
}

} // namespace chordvane
