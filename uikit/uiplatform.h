#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace chordvane {

// Window layouts are designed in twips: 15 twips make one device-independent pixel.
constexpr int twips(int t)
{
    return (t + 7) / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// The Japanese Gothic the windows were designed with, falling back to the
// Japanese fonts a Linux desktop has, so kana, kanji, ♯ and ♭ always render.
QFont gothicFont(qreal pointSize, bool bold = false, bool italic = false);

// Colours a push button's face, keeping the style's bevel.
void setButtonColour(QPushButton *button, const QColor &colour);

// Fills a widget's background with a colour.
void setBackground(QWidget *widget, const QColor &colour);

// A label with a one-pixel black border, filled with background: a colour
// swatch.
QLabel *boxLabel(QWidget *parent, const QRect &geometry, const QColor &background);

// What the windows ask of the user. Tests replace it, so that no modal box
// or window waits for a click that never comes.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A message box with an information or an exclamation icon and OK.
    virtual void information(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual void exclamation(QWidget *parent, const QString &title, const QString &text) = 0;
    // An input box with OK and Cancel; Cancel returns an empty text.
    virtual QString askText(QWidget *parent, const QString &title, const QString &prompt) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool confirm(QWidget *parent, const QString &title, const QString &text) = 0;
    // A list to choose one item from, `current` chosen first, with OK and
    // Cancel; the index chosen, -1 on Cancel.
    virtual int chooseItem(QWidget *parent, const QString &title, const QString &prompt,
                           const QStringList &items, int current) = 0;
    // Shows a window modally and returns when it is closed.
    virtual void runModal(QDialog *dialog) = 0;
    // Hands a text file to the desktop's viewer without waiting for it, and
    // tells shown whether the viewer took it: false at once or later when
    // no viewer could start or the opener gave up. Nothing is told once
    // parent is gone.
    virtual void openInViewer(QWidget *parent, const QString &path,
                              std::function<void(bool shown)> shown) = 0;
    // A file chooser starting in folder; filter as QFileDialog takes it.
    // Returns the chosen path, empty on Cancel.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &folder,
                             const QString &filter) = 0;
    // A save dialog proposing path (its folder and file name); asks before
    // an existing file is replaced. Returns the chosen path, empty on Cancel.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &path,
                             const QString &filter) = 0;
};

// The real thing: QMessageBox, QInputDialog, QDialog::exec and QFileDialog.
class QtDialogs : public UserDialogs {
public:
    void information(QWidget *parent, const QString &title, const QString &text) override;
    void exclamation(QWidget *parent, const QString &title, const QString &text) override;
    QString askText(QWidget *parent, const QString &title, const QString &prompt) override;
    bool confirm(QWidget *parent, const QString &title, const QString &text) override;
    int chooseItem(QWidget *parent, const QString &title, const QString &prompt,
                   const QStringList &items, int current) override;
    void runModal(QDialog *dialog) override;
    // Runs xdg-open, found on PATH.
    void openInViewer(QWidget *parent, const QString &path,
                      std::function<void(bool shown)> shown) override;
    QString openFile(QWidget *parent, const QString &title, const QString &folder,
                     const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &path,
                     const QString &filter) override;
};

} // namespace chordvane
