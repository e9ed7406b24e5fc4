#include "ctlnoteinput.h"
#include "staffmodel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace chordvane;

TEST(StaffModel, StepsReadAsNotesOnBothClefs)
{
    struct Case {
        int step, treble, bass;
    };
    const Case table[] = {
        {17, 29, 32}, {16, 27, 30}, {15, 25, 29}, {14, 24, 27}, {13, 22, 25},
        {12, 20, 24}, {11, 18, 22}, {10, 17, 20}, {9, 15, 18},  {8, 13, 17},
        {7, 12, 15},  {6, 10, 13},  {5, 8, 12},   {4, 6, 10},   {3, 5, 8},
        {2, 3, 6},    {1, 1, 5},    {0, 0, 3},    {-1, -2, 1},  {-2, -4, 0},
    };
    for (const Case &c : table) {
        SCOPED_TRACE(c.step);
        EXPECT_EQ(staff::StepToNote(c.step, staff::kTreble), c.treble);
        EXPECT_EQ(staff::StepToNote(c.step, staff::kBass), c.bass);
    }
    for (int clef : {staff::kTreble, staff::kBass, 3}) {
        for (int s = -200; s <= 200; ++s) {
            SCOPED_TRACE(testing::Message() << "clef " << clef << " step " << s);
            EXPECT_EQ(staff::NoteToStep(staff::StepToNote(s, clef), clef), s);
        }
    }
    EXPECT_EQ(staff::NoteToPosition(8, staff::kTreble), 3.0f);
    EXPECT_EQ(staff::NoteToPosition(8, staff::kBass), 4.0f);
    // y bands: [4.0, 4.5) is the bottom line, [4.5, 5.0) the space below.
    EXPECT_EQ(staff::StepFromY(4.0), 3);
    EXPECT_EQ(staff::StepFromY(4.49), 3);
    EXPECT_EQ(staff::StepFromY(4.5), 2);
    EXPECT_EQ(staff::StepFromY(-0.2), 12);
    EXPECT_EQ(staff::StepFromY(-40), 91);
}

TEST(StaffModel, AccidentalCycle)
{
    EXPECT_EQ(staff::CycleAccidental(0), -1);
    EXPECT_EQ(staff::CycleAccidental(-1), 1);
    EXPECT_EQ(staff::CycleAccidental(1), 0);
    EXPECT_EQ(staff::CycleAccidental(5), 5);
}

namespace {

// A control at a size where staff units are whole pixels: the staff area is
// 180 x 200, so one horizontal unit is 18 px and one vertical unit 20 px.
class NoteInputTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.resize(320, 220);
        control = new ctlNoteInput(&window);
        control->setGeometry(0, 0, 300, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        spy = std::make_unique<QSignalSpy>(control, &ctlNoteInput::Changed);
    }

    static QPoint pixel(double x, double y)
    {
        return QPoint(qRound((x + 1) * 18), qRound((y + 3) * 20));
    }

    void mouse(QEvent::Type type, double y, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QWidget *area = control->picMain();
        const QPointF local(40, (y + 3) * 20);
        QMouseEvent event(type, local, area->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(area, &event);
    }
    void click(double y, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, y, button, button);
        mouse(QEvent::MouseButtonRelease, y, button, Qt::NoButton);
    }
    void hover(double y) { mouse(QEvent::MouseMove, y, Qt::NoButton, Qt::NoButton); }
    static QPoint local(double y) { return QPoint(40, qRound((y + 3) * 20)); }
    // Through QTest, which sends the held button with the move.
    void drag(double fromY, double toY)
    {
        QWidget *area = control->picMain();
        QTest::mousePress(area, Qt::LeftButton, {}, local(fromY));
        QTest::mouseMove(area, local(toY));
        QTest::mouseRelease(area, Qt::LeftButton, {}, local(toY));
    }

    QColor at(double x, double y) const { return control->staffImage().pixelColor(pixel(x, y)); }
    static bool isBlack(const QColor &c) { return qGray(c.rgb()) < 60; }
    static bool isWhite(const QColor &c) { return c == Qt::white; }
    static bool isGhost(const QColor &c) { return c == GHOST_COLOUR; }
    int changes() const { return static_cast<int>(spy->count()); }
    int lastChange() const { return spy->last().at(0).toInt(); }

    QWidget window;
    ctlNoteInput *control = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

} // namespace

TEST_F(NoteInputTest, CreationRaisesChangedTwiceWithC)
{
    QWidget host;
    std::vector<int> values;
    auto *created = ctlNoteInput::create(&host, [&](ctlNoteInput *control) {
        QObject::connect(control, &ctlNoteInput::Changed, &host, [&values, control](int v) {
            values.push_back(v);
            EXPECT_EQ(control->Value(), v);
        });
    });
    EXPECT_EQ(values, (std::vector<int>{1, 1}));
    EXPECT_EQ(created->Value(), 1);
    EXPECT_EQ(created->ScoreType(), 1);
    // The fresh control shows its C on the first ledger line below the staff.
    EXPECT_TRUE(isBlack(at(4, 5.0)));
    EXPECT_TRUE(isBlack(at(2.7, 5.0))); // its ledger line
}

TEST_F(NoteInputTest, LeftClicksEnterTheNoteUnderTheMouse)
{
    struct Case {
        double y;
        int clef, value;
    };
    const Case cases[] = {
        {4.2, 1, 5}, {4.0, 1, 5}, {4.49, 1, 5}, {4.5, 1, 3},  {4.7, 1, 3},  {-0.2, 1, 20},
        {4.2, 2, 8}, {4.7, 2, 6}, {1.2, 2, 18}, {6.7, 1, -4}, {2.5, 2, 13},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.y << " clef " << c.clef);
        if (control->ScoreType() != c.clef)
            control->setScoreType(c.clef);
        spy->clear();
        click(c.y);
        EXPECT_EQ(changes(), 1);
        EXPECT_EQ(lastChange(), c.value);
        EXPECT_EQ(control->Value(), c.value);
        EXPECT_FLOAT_EQ(control->state().NotePosition, static_cast<float>(c.y));
    }
}

TEST_F(NoteInputTest, DraggingFollowsTheMouseWithOneChangedPerMove)
{
    mouse(QEvent::MouseButtonPress, 4.2, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(changes(), 0);
    const double path[] = {3.7, 3.2, 2.7};
    const int expected[] = {6, 8, 10};
    for (int i = 0; i < 3; ++i) {
        mouse(QEvent::MouseMove, path[i], Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(changes(), i + 1);
        EXPECT_EQ(control->Value(), expected[i]);
    }
    mouse(QEvent::MouseButtonRelease, 2.7, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(changes(), 4);
    EXPECT_EQ(control->Value(), 10);
    // Left and right held together: nothing happens.
    mouse(QEvent::MouseMove, 0.2, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(changes(), 4);
    EXPECT_EQ(control->Value(), 10);
}

TEST_F(NoteInputTest, DraggingPastTheEdgesKeepsTheNoteOnTheStaff)
{
    // While the button is held the staff keeps reporting outside the control.
    struct Case {
        int clef;
        double y;    // where the drag ends
        int value;   // the outermost note on that side
        double head; // where its head stands
    };
    const Case cases[] = {
        {1, -40, 27, -2.5}, {1, 40, -4, 6.5}, {2, -40, 30, -2.5},  {2, 40, 0, 6.5},
        {1, -9, 27, -2.5},  {2, 9, 0, 6.5},   {1, -2.9, 27, -2.5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "clef " << c.clef << " y " << c.y);
        control->setScoreType(c.clef);
        drag(2.2, c.y);
        EXPECT_EQ(control->Value(), c.value);
        // Just below the head's centre, clear of any ledger line: the head is
        // drawn inside the picture.
        EXPECT_TRUE(isBlack(at(4, c.head + 0.2)));
        EXPECT_TRUE(isWhite(at(4, c.head < 0 ? 6.7 : -2.8)));
    }
}

TEST_F(NoteInputTest, NoDraggedNoteReadsAsTheEmptyMarkerInAnyTransposition)
{
    // The main window adds a transposition offset to Value, and 99 marks an
    // empty slot. Far enough above a treble staff a drag once wrote D 99, or
    // 96, 94, 101 and 102, which in E♭, F, B♭ and A sound as 99.
    const double targets[] = {-23.3, -22.3, -21.8, -23.8, -24.3, -40, 40};
    const int offsets[] = {0, -2, 3, 5, -3};
    for (const int clef : {1, 2}) {
        control->setScoreType(clef);
        for (int sign = 0; sign < 3; ++sign) { // none, flat, sharp
            for (const double y : targets) {
                SCOPED_TRACE(testing::Message()
                             << "clef " << clef << " sign " << sign << " y " << y);
                drag(2.2, y);
                for (const int offset : offsets)
                    EXPECT_NE(control->Value() + offset, 99) << "offset " << offset;
            }
            QTest::mouseClick(control->picMain(), Qt::RightButton, {}, local(2.2));
        }
    }
}

TEST_F(NoteInputTest, RightClicksCycleTheAccidentalWhichSurvivesAClefChange)
{
    click(3.2); // G, 8
    spy->clear();
    const int expected[] = {7, 9, 8};
    for (int v : expected) {
        click(-1.0, Qt::RightButton); // far from the note: only the sign changes
        EXPECT_EQ(lastChange(), v);
        EXPECT_TRUE(isBlack(at(4, 3.0))); // the head stays on its line
    }
    EXPECT_EQ(changes(), 3);
    click(3.2, Qt::RightButton);
    click(3.2, Qt::RightButton); // sharp
    spy->clear();
    QTest::mouseClick(control->picToon(), Qt::LeftButton);
    EXPECT_EQ(control->ScoreType(), 2);
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(control->Value(), 2);
    EXPECT_TRUE(control->picHeon()->isVisible());
    EXPECT_FALSE(control->picToon()->isVisible());
    QTest::mouseClick(control->picHeon(), Qt::LeftButton);
    EXPECT_EQ(control->ScoreType(), 1);
    EXPECT_EQ(control->Value(), 2);
}

TEST_F(NoteInputTest, GhostIsGreyAndEveryRedrawWipesIt)
{
    const auto showGhost = [this] {
        click(3.2); // the entered note on the G line
        hover(0.7); // the ghost in the space below the top line
        ASSERT_TRUE(control->state().GhostShown);
        ASSERT_TRUE(isGhost(at(4, 0.5)));
        ASSERT_TRUE(isBlack(at(4, 3.0)));
    };
    struct Case {
        const char *name;
        std::function<void()> redraw;
        bool ghostShownAfter;
    };
    const Case cases[] = {
        {"left click", [this] { click(2.2); }, false},
        {"right click", [this] { click(2.2, Qt::RightButton); }, true},
        {"middle click", [this] { click(2.2, Qt::MiddleButton); }, true},
        {"GhostClear", [this] { control->GhostClear(); }, false},
        {"write Value", [this] { control->setValue(1); }, true},
        {"clef change", [this] { control->setScoreType(2); }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        control->setScoreType(1);
        showGhost();
        c.redraw();
        EXPECT_FALSE(isGhost(at(4, 0.5)));
        EXPECT_EQ(control->state().GhostShown, c.ghostShownAfter);
    }
    // A middle click raises nothing.
    spy->clear();
    click(1.0, Qt::MiddleButton);
    EXPECT_EQ(changes(), 0);
}

TEST_F(NoteInputTest, GhostClearWithoutGhostDrawsNothing)
{
    click(3.2);
    control->GhostClear();
    const QImage before = control->staffImage();
    hover(0.7);
    control->GhostClear();
    control->GhostClear();
    EXPECT_EQ(control->staffImage(), before);
    spy->clear();
    control->GhostClear();
    EXPECT_EQ(changes(), 0);
}

TEST_F(NoteInputTest, HeadsSignsAndLedgerLinesStandWhereTheStaffSays)
{
    struct Case {
        double y;
        double head;                 // where the head is drawn
        std::vector<double> ledgers; // lines expected
        std::vector<double> noLines; // places that must stay empty
    };
    const std::vector<Case> cases = {
        {5.3, 5.0, {5.0}, {5.5, 6.0}}, {6.7, 6.5, {6.0, 5.0}, {5.5, 6.5}},
        {-0.2, -0.5, {}, {-1.0}},      {-1.2, -1.5, {-1.0}, {-2.0}},
        {4.7, 4.5, {}, {5.0}},         {-2.3, -2.5, {-1.0, -2.0}, {-3.0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.y);
        click(c.y);
        EXPECT_TRUE(isBlack(at(4, c.head)));
        for (double t : c.ledgers)
            EXPECT_TRUE(isBlack(at(2.7, t))) << "ledger line " << t;
        for (double t : c.noLines)
            EXPECT_TRUE(isWhite(at(2.7, t))) << "no line at " << t;
        for (int line = 0; line <= 4; ++line)
            EXPECT_TRUE(isBlack(at(0.5, line))) << "staff line " << line;
    }
    // The flat stands to the right of the head, also beside the ghost: the
    // pixels that an accidental changes all lie right of the head, near it.
    const auto signArea = [this](double ghostY) {
        control->setValue(8);
        hover(ghostY);
        const QImage plain = control->staffImage();
        click(3.2, Qt::RightButton);
        hover(ghostY);
        const QImage flat = control->staffImage();
        click(3.2, Qt::RightButton);
        click(3.2, Qt::RightButton); // back to none
        QRect changed;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (plain.pixel(x, y) != flat.pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
            }
        }
        return changed;
    };
    const QRect beside = signArea(3.2); // ghost under the entered note
    ASSERT_FALSE(beside.isEmpty());
    EXPECT_GE(beside.left(), pixel(4.5, 0).x());
    EXPECT_GE(beside.top(), pixel(0, 2.5).y() - 1);
    EXPECT_LE(beside.bottom(), pixel(0, 4.0).y());
    const QRect withGhost = signArea(0.7); // ghost in the space below the top line
    EXPECT_GE(withGhost.left(), pixel(4.5, 0).x());
    EXPECT_LE(withGhost.top(), pixel(0, 1.0).y());
}

TEST_F(NoteInputTest, WritingValueShowsTheNoteAndClearsTheAccidental)
{
    click(3.2, Qt::RightButton); // flat
    control->setValue(8);
    EXPECT_EQ(control->Value(), 8);
    EXPECT_EQ(lastChange(), 8);
    EXPECT_TRUE(isBlack(at(4, 3.0)));
    // A number between two naturals: the natural below with a sharp.
    control->setValue(2);
    EXPECT_EQ(control->Value(), 2);
    EXPECT_EQ(control->state().NaturalNote, 1);
    EXPECT_TRUE(isBlack(at(4, 5.0)));
    control->setValue(1);
    EXPECT_EQ(control->Value(), 1);
    EXPECT_EQ(control->state().Accidental, 0);
}

TEST_F(NoteInputTest, ResizeAndClefChangeResetToTheClefsC)
{
    click(3.2, Qt::RightButton); // flat
    click(2.2);
    spy->clear();
    control->resize(310, 200);
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(control->Value(), 0); // C with its flat
    control->resize(300, 200);
    control->setScoreType(2);
    EXPECT_EQ(control->Value(), 0);
    // On the bass clef C sits on the second ledger line below the staff.
    EXPECT_TRUE(isBlack(at(4, 6.0)));
    EXPECT_TRUE(isBlack(at(2.7, 5.0)));
    EXPECT_TRUE(isBlack(at(2.7, 6.0)));
    // Layout: the clefs share the left two fifths, the staff the rest.
    EXPECT_EQ(control->picMain()->geometry(), QRect(120, 0, 180, 200));
    EXPECT_EQ(control->picHeon()->geometry(), QRect(0, 0, 120, 200));
    EXPECT_EQ(control->picToon()->geometry(), QRect(0, 0, 120, 200));
}

TEST_F(NoteInputTest, EachClefPictureShowsItsOwnClef)
{
    const QImage treble = control->picToon()->grab().toImage();
    control->setScoreType(2);
    const QImage bass = control->picHeon()->grab().toImage();
    EXPECT_NE(treble, bass);
    // Each clef is drawn in black, about twice as tall as wide.
    for (const QImage &image : {treble, bass}) {
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 80)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        EXPECT_GT(ink.height(), image.height() / 3);
        EXPECT_GT(ink.width(), image.width() / 4);
    }
}
