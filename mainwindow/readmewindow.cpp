#include "readmewindow.h"

#include "uiplatform.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace chordvane {

ReadMeWindow::ReadMeWindow(QWidget *owner)
    : QDialog(owner)
    , m_text(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("使う前に.txt"));
    m_text->setReadOnly(true);
    m_text->setFont(gothicFont(10.5));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap); // the read-me lines its text up itself
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    // The read-me's lines hold up to about 40 full-width characters; 40 lines tall.
    const QFontMetrics metrics(m_text->font());
    resize(metrics.horizontalAdvance(QChar(0x3042)) * 44 +
               style()->pixelMetric(QStyle::PM_ScrollBarExtent),
           metrics.lineSpacing() * 40);
}

void ReadMeWindow::showText(const QString &text)
{
    m_text->setPlainText(text);
    show();
    raise();
    activateWindow();
}

} // namespace chordvane
