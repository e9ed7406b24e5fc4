#include "uiplatform.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

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

bool QtDialogs::confirm(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::question(parent, title, text) == QMessageBox::Yes;
}

int QtDialogs::chooseItem(QWidget *parent, const QString &title, const QString &prompt,
                          const QStringList &items, int current)
{
    bool ok = false;
    const QString item = QInputDialog::getItem(parent, title, prompt, items, current, false, &ok);
    return ok ? int(items.indexOf(item)) : -1;
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

void QtDialogs::openInViewer(QWidget *parent, const QString &path,
                             std::function<void(bool shown)> shown)
{
    // QDesktopServices starts the opener detached and never learns that it
    // gave up; xdg-open's exit code says whether a viewer took the file.
    // The process is nobody's child: a viewer that runs in the opener's
    // place must outlive the window, and the program.
    auto *opener = new QProcess;
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({path}); // one argument, no shell: blanks and Japanese need no quoting
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject *context = parent ? static_cast<QObject *>(parent) : opener;
    QObject::connect(opener, &QProcess::finished, context,
                     [shown](int exitCode, QProcess::ExitStatus status) {
                         shown(status == QProcess::NormalExit && exitCode == 0);
                     });
    // A process that never started sends no finished.
    QObject::connect(opener, &QProcess::errorOccurred, context,
                     [shown](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             shown(false);
                     });
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             opener->deleteLater();
                     });
    opener->start();
}

QString QtDialogs::openFile(QWidget *parent, const QString &title, const QString &folder,
                            const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtDialogs::saveFile(QWidget *parent, const QString &title, const QString &path,
                            const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, path, filter);
}

} // namespace chordvane
