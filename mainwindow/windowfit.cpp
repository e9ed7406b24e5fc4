// How the main window fits its screen, its frame included.
#include "frmmain.h"

#include <QDockWidget>
#include <QLayout>
#include <QMenuBar>
#include <QMoveEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

namespace chordvane {

void frmMain::fitToScreen()
{
    const QRect room = screen()->availableGeometry();
    // The window manager's frame comes on top of the window's own size; until
    // the window is framed, a title bar is what it will add.
    const QSize frameMargins = frameGeometry().size() - size();
    fitInto(room.size() - (frameMargins.height() > 0
                               ? frameMargins
                               : QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight))));
    // Grown for a panel near the screen's edge, the window moves back onto the screen.
    const QRect frame = frameGeometry();
    const QPoint inside(
        std::max(room.left(), std::min(frame.left(), room.right() - frame.width() + 1)),
        std::max(room.top(), std::min(frame.top(), room.bottom() - frame.height() + 1)));
    if (isVisible() && inside != frame.topLeft())
        move(inside);
}

void frmMain::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // The window manager's frame is known only once it has placed the
    // window, and may be taller than the title bar guessed before: the
    // window then fits the screen again, frame and all.
    const QSize frame = frameGeometry().size() - size();
    if (frame != m_frameMargins && !frame.isNull()) {
        m_frameMargins = frame;
        QMetaObject::invokeMethod(this, &frmMain::fitToScreen, Qt::QueuedConnection);
    }
}

WindowFit fitWindow(const QSize &design, const QSize &room, int scrollBar)
{
    if (design.width() <= room.width() && design.height() <= room.height())
        return {design, false};
    return {(design + QSize(scrollBar, scrollBar)).boundedTo(room), true};
}

void frmMain::fitInto(const QSize &room)
{
    const int bar = statusBar()->isHidden() ? 0 : statusBar()->sizeHint().height();
    // A panel docked beside the rows takes its own width beside them.
    int docked = 0;
    for (const QDockWidget *dock : findChildren<QDockWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!dock->isHidden() && !dock->isFloating())
            docked += dock->sizeHint().width() +
                      style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    }
    const QSize design = m_client->size() + QSize(docked, menuBar()->sizeHint().height() + bar);
    const WindowFit fit = fitWindow(design, room, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    // Where it fits, the design size is also the least the window shrinks to.
    m_scrollArea->setMinimumSize(fit.scrolls ? QSize(0, 0) : m_client->size());
    layout()->activate(); // the window's own minimum follows at once, not at the next event
    resize(fit.size);
}

} // namespace chordvane
