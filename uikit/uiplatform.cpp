#include "uiplatform.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace chordvane {

QFont gothicFont(qreal pointSize, bool bold, bool italic)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                      QStringLiteral("TakaoPGothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void setButtonColour(QPushButton *button, const QColor &colour)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    button->setPalette(palette);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

QLabel *boxLabel(QWidget *parent, const QRect &geometry, const QColor &background)
{
    auto *label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black); // the border
    label->setPalette(palette);
    setBackground(label, background);
    return label;
}

void QtDialogs::information(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::information(parent, title, text);
}

void QtDialogs::exclamation(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text);
}

QString QtDialogs::askText(QWidget *parent, const QString &title, const QString &prompt)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, {}, &ok);
    return ok ? text : QString();
}

void QtDialogs::runModal(QDialog *dialog)
{
    dialog->exec();
}

bool QtDialogs::openInViewer(const QString &path)
{
    // The desktop's opener gets the path as one argument, no shell between,
    // so blanks and Japanese in the path need no quoting.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString QtDialogs::openFile(QWidget *parent, const QString &title, const QString &folder,
                            const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

} // namespace chordvane
