#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace chordvane {

// The read-me in a window of the program's own, for a desktop whose text
// viewer cannot be started: read-only, scrolling, closed with Esc. It stays
// beside the main window, so the user can read while entering notes.
class ReadMeWindow : public QDialog {
public:
    explicit ReadMeWindow(QWidget *owner);

    // Shows the window in front with the text, titled with its file name.
    void showText(const QString &fileName, const QString &text);
    QPlainTextEdit *textView() const { return m_text; }

private:
    QPlainTextEdit *m_text;
};

} // namespace chordvane
