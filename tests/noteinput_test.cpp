#include "ctlnoteinput.h"
#include "staffmodel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace chordvane;

TEST(StaffModel, StepsBandsAndAccidentals)
{
    struct Case {
        int step, treble, bass;
    };
    // An octave and more, across step 0 where the octave numbering turns.
    const Case table[] = {
        {10, 17, 20}, {9, 15, 18}, {8, 13, 17}, {7, 12, 15}, {6, 10, 13}, {5, 8, 12},
        {4, 6, 10},   {3, 5, 8},   {2, 3, 6},   {1, 1, 5},   {0, 0, 3},   {-1, -2, 1},
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
    EXPECT_EQ(staff::stepFromY(4.0), 3);
    EXPECT_EQ(staff::stepFromY(4.49), 3);
    EXPECT_EQ(staff::stepFromY(4.5), 2);
    EXPECT_EQ(staff::stepFromY(-0.2), 12);
    // Accidentals cycle none, flat, sharp; other values stay.
    EXPECT_EQ(staff::CycleAccidental(0), -1);
    EXPECT_EQ(staff::CycleAccidental(-1), 1);
    EXPECT_EQ(staff::CycleAccidental(1), 0);
    EXPECT_EQ(staff::CycleAccidental(5), 5);
}

namespace {

// The bounding box of the pixels for which inked(x, y) holds.
template <typename Inked> QRect inkBox(const QImage &image, Inked inked)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inked(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

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
    // Through QTest, which sends the held buttons with a move; a hover is sent
    // directly, as for a move with no button held QTest only moves the cursor.
    static QPoint local(double y) { return QPoint(40, qRound((y + 3) * 20)); }
    void press(double y, Qt::MouseButton b) { QTest::mousePress(area(), b, {}, local(y)); }
    void release(double y, Qt::MouseButton b) { QTest::mouseRelease(area(), b, {}, local(y)); }
    void click(double y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(area(), b, {}, local(y));
    }
    void hover(double y)
    {
        QMouseEvent move(QEvent::MouseMove, local(y), area()->mapToGlobal(QPointF(local(y))),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area(), &move);
    }
    void drag(double fromY, double toY)
    {
        press(fromY, Qt::LeftButton);
        QTest::mouseMove(area(), local(toY));
        release(toY, Qt::LeftButton);
    }
    QWidget *area() const { return control->picMain(); }

    QColor at(double x, double y) const { return control->staffImage().pixelColor(pixel(x, y)); }
    static bool isBlack(const QColor &c) { return qGray(c.rgb()) < 60; }
    int changes() const { return static_cast<int>(spy->count()); }
    int lastChange() const { return spy->last().at(0).toInt(); }

    QWidget window;
    ctlNoteInput *control = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

} // namespace

TEST(NoteInput, CreationRaisesChangedTwiceWithC)
{
    QWidget host;
    std::vector<int> values;
    ctlNoteInput::create(&host, [&](ctlNoteInput *control) {
        QObject::connect(control, &ctlNoteInput::Changed, &host, [&values, control](int v) {
            values.push_back(v);
            EXPECT_EQ(control->Value(), v);
        });
    });
    EXPECT_EQ(values, (std::vector<int>{1, 1}));
}

TEST_F(NoteInputTest, DraggingFollowsTheMouseWithOneChangedPerMove)
{
    press(4.2, Qt::LeftButton);
    EXPECT_EQ(changes(), 0);
    for (const auto &[y, value] : {std::pair{3.7, 6}, {3.2, 8}, {2.7, 10}}) {
        QTest::mouseMove(area(), local(y));
        EXPECT_EQ(lastChange(), value);
    }
    EXPECT_EQ(changes(), 3);
    // With the right button held as well a move enters nothing.
    press(2.7, Qt::RightButton);
    QTest::mouseMove(area(), local(0.2));
    EXPECT_EQ(changes(), 3);
    EXPECT_EQ(control->Value(), 10);
    release(0.2, Qt::RightButton); // cycles the sign
    release(2.7, Qt::LeftButton);
    EXPECT_EQ(changes(), 5);
    EXPECT_EQ(control->Value(), 9);
}

TEST_F(NoteInputTest, RightClicksCycleTheAccidentalWhichSurvivesAClefChange)
{
    click(3.2); // G, 8
    spy->clear();
    for (int v : {7, 9, 8}) {
        click(-1.0, Qt::RightButton); // far from the note: only the sign changes
        EXPECT_EQ(lastChange(), v);
        EXPECT_TRUE(isBlack(at(4, 3.0))); // the head stays on its line
    }
    EXPECT_EQ(changes(), 3);
    click(3.2, Qt::RightButton);
    click(3.2, Qt::RightButton); // sharp
    spy->clear();
    QTest::mouseClick(control->picToon(), Qt::LeftButton);
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
        click(3.2); // the entered note on the G line
        hover(0.7); // the ghost in the space below the top line
        ASSERT_TRUE(control->state().GhostShown);
        ASSERT_EQ(at(4, 0.5), GHOST_COLOUR);
        c.redraw();
        EXPECT_NE(at(4, 0.5), GHOST_COLOUR);
        EXPECT_EQ(control->state().GhostShown, c.ghostShownAfter);
    }
    // Wiping no ghost, and a middle click, raise nothing.
    spy->clear();
    control->GhostClear();
    click(1.0, Qt::MiddleButton);
    EXPECT_EQ(changes(), 0);
}

TEST_F(NoteInputTest, TheLeftButtonEntersTheNoteUnderTheMouseKeptOnTheStaff)
{
    // A drag keeps reporting past the control's edges; there the outermost
    // place on that side is taken. Unclamped, far enough out a drag once
    // reached 99, the engine's empty marker.
    struct Case {
        int clef;
        double y; // where the drag from y 2.2 ends
        int value;
        double head;                 // where the head is drawn
        std::vector<double> ledgers; // lines expected
        std::vector<double> noLines; // places that must stay empty
    };
    const std::vector<Case> cases = {
        {2, 4.7, 6, 4.5, {}, {5.0}},         {2, 2.5, 13, 2.5, {}, {}},
        {2, -40, 30, -2.5, {-1, -2}, {-3}},  {2, 40, 0, 6.5, {5, 6}, {}},
        {1, 5.3, 1, 5.0, {5}, {5.5, 6}},     {1, 6.7, -4, 6.5, {6, 5}, {5.5, 6.5}},
        {1, -0.2, 20, -0.5, {}, {-1}},       {1, -1.2, 24, -1.5, {-1}, {-2}},
        {1, 4.7, 3, 4.5, {}, {5}},           {1, -2.3, 27, -2.5, {-1, -2}, {-3}},
        {1, -2.9, 27, -2.5, {-1, -2}, {-3}}, {1, -40, 27, -2.5, {-1, -2}, {-3}},
        {1, 40, -4, 6.5, {5, 6}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "clef " << c.clef << " y " << c.y);
        control->setScoreType(c.clef);
        spy->clear();
        drag(2.2, c.y);
        EXPECT_EQ(changes(), 2); // the move and the release
        EXPECT_EQ(lastChange(), c.value);
        EXPECT_TRUE(isBlack(at(4, c.head)));
        for (double t : c.ledgers)
            EXPECT_TRUE(isBlack(at(2.7, t))) << "ledger line " << t;
        for (double t : c.noLines)
            EXPECT_EQ(at(2.7, t), Qt::white) << "no line at " << t;
        for (int line = 0; line <= 4; ++line)
            EXPECT_TRUE(isBlack(at(0.5, line))) << "staff line " << line;
    }
    // The flat stands to the right of the head (treble G here), also beside
    // the ghost: the pixels that an accidental changes lie right of the head.
    const auto signArea = [this](double ghostY) {
        control->setValue(8);
        hover(ghostY);
        const QImage plain = control->staffImage();
        click(3.2, Qt::RightButton);
        hover(ghostY);
        const QImage flat = control->staffImage();
        return inkBox(plain, [&](int x, int y) { return plain.pixel(x, y) != flat.pixel(x, y); });
    };
    // Ghost under the entered note (its sign from y 2.5), then in the space
    // below the top line (the ghost's sign from y 0).
    for (const auto &[ghostY, signTop] : {std::pair{3.2, 2.5}, {0.7, 0.0}}) {
        SCOPED_TRACE(ghostY);
        const QRect changed = signArea(ghostY);
        EXPECT_GE(changed.left(), pixel(4.5, 0).x());
        EXPECT_GE(changed.top(), pixel(0, signTop).y() - 1);
        EXPECT_LE(changed.top(), pixel(0, signTop + 1).y());
        EXPECT_LE(changed.bottom(), pixel(0, 4.0).y());
    }
}

TEST_F(NoteInputTest, ResizeClefChangeAndWritingValueRedrawTheNote)
{
    // A resize or a clef change resets to the clef's C, the sign kept.
    click(3.2, Qt::RightButton); // flat
    click(2.2);
    spy->clear();
    control->resize(310, 200);
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(control->Value(), 0);
    control->resize(300, 200);
    control->setScoreType(2);
    EXPECT_EQ(control->Value(), 0);
    // On the bass clef C sits on the second ledger line below the staff.
    EXPECT_TRUE(isBlack(at(4, 6.2)));
    EXPECT_TRUE(isBlack(at(2.7, 5.0)));
    EXPECT_TRUE(isBlack(at(2.7, 6.0)));
    // Writing Value drops the sign; a number between two naturals is shown
    // as the natural below with a sharp.
    control->setValue(10);
    EXPECT_EQ(lastChange(), 10);
    EXPECT_TRUE(isBlack(at(4, 3.5)));
    EXPECT_EQ(at(4, 6.2), Qt::white);
    control->setValue(2);
    EXPECT_EQ(control->Value(), 2);
    EXPECT_EQ(control->state().NaturalNote, 1);
    EXPECT_TRUE(isBlack(at(4, 6.2)));
}

TEST_F(NoteInputTest, EachClefPictureShowsItsOwnClef)
{
    const QImage treble = control->picToon()->grab().toImage();
    control->setScoreType(2);
    const QImage bass = control->picHeon()->grab().toImage();
    EXPECT_NE(treble, bass);
    // Each clef is drawn in black, about twice as tall as wide.
    for (const QImage &image : {treble, bass}) {
        const QRect ink =
            inkBox(image, [&](int x, int y) { return qGray(image.pixel(x, y)) < 80; });
        EXPECT_GT(ink.height(), image.height() / 3);
        EXPECT_GT(ink.width(), image.width() / 4);
    }
}
