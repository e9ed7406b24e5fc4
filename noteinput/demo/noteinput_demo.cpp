// Shows a few staffs at the main window's size, on both clefs, with and
// without accidentals, for looking at them by eye.
#include "ctlnoteinput.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

using chordvane::ctlNoteInput;

namespace {

void sendClick(QWidget *target, double staffY, Qt::MouseButton button)
{
    const QPointF local(target->width() / 2.0, (staffY + 3) * target->height() / 10.0);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, local, target->mapToGlobal(local), button,
                          type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ctlNoteInput"));
    auto *grid = new QGridLayout(&window);
    struct Staff {
        int clef;
        double y;
        int rightClicks;
        const char *caption;
    };
    const Staff staffs[] = {
        {1, 5.3, 0, "C"},       {1, 3.2, 1, "G♭"},      {1, -1.2, 2, "B♯ above"},
        {1, 6.7, 0, "G below"}, {2, 4.2, 0, "bass G"},  {2, 2.2, 1, "bass D♭"},
        {2, 6.3, 2, "bass C♯"}, {2, -0.4, 0, "bass B"},
    };
    int column = 0;
    for (const Staff &s : staffs) {
        auto *control = new ctlNoteInput(&window);
        control->setFixedSize(89, 73);
        grid->addWidget(control, 0, column);
        grid->addWidget(new QLabel(QString::fromUtf8(s.caption), &window), 1, column);
        ++column;
        // Entered once the window is shown: the layout's resize resets a staff.
        QTimer::singleShot(0, control, [control, s] {
            control->setScoreType(s.clef);
            sendClick(control->picMain(), s.y, Qt::LeftButton);
            for (int i = 0; i < s.rightClicks; ++i)
                sendClick(control->picMain(), s.y, Qt::RightButton);
        });
    }
    window.show();
    return app.exec();
}
