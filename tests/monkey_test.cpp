// A long seeded run of random user actions on the real main window, checking
// after every step what a user relies on. CHORDVANE_MONKEY_STEPS and
// CHORDVANE_MONKEY_SEED make it longer or different. The staff's own mouse
// handling (drags, hover notes) is left to the note input tests; here notes
// only need to change, in any mix with the lists, ticks, options and searches.
#include "ctlnoteinput.h"
#include "fakedialogs.h"
#include "fakesound.h"
#include "frmcodeshow.h"
#include "frmmain.h"
#include "keyboardpicture.h"
#include "language.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>

using namespace chordvane;

namespace {

// A whole number from 0 to max, or none for anything else; an unset or
// empty variable reads as fallback. A typo must not quietly run the default.
std::optional<std::uint64_t> wholeNumber(const QByteArray &text, std::uint64_t fallback,
                                         std::uint64_t max)
{
    if (text.isEmpty())
        return fallback;
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 10);
    if (!ok || value > max)
        return std::nullopt;
    return value;
}

// Reads a number setting, failing the test with a message when it is bad.
void readSetting(const char *name, std::uint64_t fallback, std::uint64_t max, std::uint64_t &value)
{
    const QByteArray text = qgetenv(name);
    const auto number = wholeNumber(text, fallback, max);
    ASSERT_TRUE(number) << name << " must be a whole number from 0 to " << max << ", not \""
                        << text.toStdString() << "\"";
    value = *number;
}

class Monkey {
public:
    Monkey(frmMain &window, test::FakeDialogs &dialogs, std::uint32_t seed)
        : m_window(window)
        , m_random(seed)
    {
        dialogs.onModal = [this](QDialog *dialog) {
            playWithModal(dialog);
        };
    }

    // One random action; returns what it did, for the failure report.
    std::string step()
    {
        const int r = pick(12);
        const std::string row = " row " + std::to_string(r);
        ctlNoteInput *staff = m_window.row(r).ctlNoteInput();
        switch (pick(10)) {
        case 0:
        case 1:
        case 2: {
            const Qt::MouseButton button = pick(3) ? Qt::LeftButton : Qt::RightButton;
            const int y = static_cast<int>(staff->picMain()->height() * (pick(100) + 0.5) / 100);
            QTest::mouseClick(staff->picMain(), button, {}, QPoint(5, y));
            return (button == Qt::LeftButton ? "click" : "right click") + row;
        }
        case 3:
            QTest::mouseClick(staff->ScoreType() == 1 ? staff->picToon() : staff->picHeon(),
                              Qt::LeftButton);
            return "clef" + row;
        case 4: {
            // Arrow keys on a closed list choose as the open list does.
            QComboBox *box = pick(2) ? m_window.row(r).cboInstName() : m_window.row(r).cboTune();
            QTest::keyClick(box, pick(3) ? Qt::Key_Down : pick(2) ? Qt::Key_Up : Qt::Key_Home);
            return "list key" + row;
        }
        case 5:
            if (r < 11)
                m_window.row(r).chkUse()->click();
            return "tick" + row;
        case 6: {
            const int i = pick(8);
            QAction *option = i < 6    ? m_window.mnuOptionCodeRate[i]
                              : i == 6 ? m_window.mnuOptionNotJazz
                                       : m_window.rankByRateAction();
            option->trigger();
            return "option " + option->text().toStdString();
        }
        case 7:
            if (pick(8) == 0) {
                (pick(2) ? m_window.cmdClear->click() : m_window.mnuEditClear->trigger());
                return "clear";
            }
            if (pick(8) == 0) {
                QAction *language = m_window.mnuLanguageItem[pick(2)];
                language->trigger();
                QCoreApplication::sendPostedEvents(); // the windows retranslate
                return "language " + language->text().toStdString();
            }
            [[fallthrough]];
        default:
            m_window.cmdSearchCode->click();
            return "search";
        }
    }

    int searchesShown = 0;

private:
    int pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    // The results window's own keys and buttons are left to its tests.
    void playWithModal(QDialog *dialog)
    {
        auto *results = qobject_cast<frmCodeShow *>(dialog);
        ASSERT_NE(results, nullptr);
        ++searchesShown;
        const ChordEngine &engine = m_window.engine();
        EXPECT_EQ(results->lstCodes->count(), engine.resultCount());
        // Ranked, a rate never falls behind one lower; only a dyad over a
        // foreign bass ranks below its rate, and by 40 at most.
        if (m_window.rankByRateAction()->isChecked()) {
            for (int i = 1; i < engine.resultCount(); ++i)
                EXPECT_GE(engine.ResultRates[i - 1] + 40, engine.ResultRates[i]);
        }
        results->cmdClose->click();
    }

    frmMain &m_window;
    std::mt19937 m_random;
};

// What a user relies on after any action.
void checkInvariants(const frmMain &window)
{
    const auto &notes = window.engine().InputNotes;
    std::array<QColor, 13> keys;
    for (int k = 1; k <= 12; ++k)
        keys[k] = KeyboardPicture::naturalColour(k);
    for (int r = 0; r < 12; ++r) {
        SCOPED_TRACE(testing::Message() << "row " << r);
        const QString text = window.row(r).lblResult()->text();
        const bool white =
            window.row(r).lblResult()->palette().color(QPalette::Window) == Qt::white;
        EXPECT_EQ(white, window.rowInUse(r));
        // The bass counts from its first change, which also names it.
        const bool counts = r < 11 ? window.rowInUse(r) : !text.isEmpty();
        EXPECT_EQ(notes[r], counts ? window.concertNote(r) : NO_NOTE);
        if (!text.isEmpty()) {
            // Hand entry names pitch classes; B is "B(H)" in Japanese only.
            const std::string_view name = NoteName(window.concertNote(r));
            EXPECT_EQ(text, name == "B(H)"
                                ? QCoreApplication::translate("chordvane::InstrumentRow", "B(H)")
                                : QString::fromUtf8(name.data(), qsizetype(name.size())));
        }
        if (notes[r] != NO_NOTE) {
            const int k = FoldIntoOctave(notes[r], 1);
            keys[k] = r == 11                          ? kBassKey
                      : KeyboardPicture::isBlackKey(k) ? kLitBlackKey
                                                       : kLitWhiteKey;
        }
    }
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(window.keyboard->keyColour(k), keys[k]) << "key " << k;
    int checked = 0;
    for (const QAction *item : window.mnuOptionCodeRate)
        checked += item->isChecked();
    EXPECT_EQ(checked, 1);
}

} // namespace

// From a start in either language, which the monkey switches now and then.
class MonkeyTest : public testing::TestWithParam<Language> {};

TEST_P(MonkeyTest, RandomUserActionsKeepTheWindowConsistent)
{
    std::uint64_t stepCount = 0;
    std::uint64_t seed = 0;
    ASSERT_NO_FATAL_FAILURE(readSetting("CHORDVANE_MONKEY_STEPS", 3000, INT_MAX, stepCount));
    const int steps = static_cast<int>(stepCount);
    // The generator's seed is 32 bits wide.
    ASSERT_NO_FATAL_FAILURE(readSetting("CHORDVANE_MONKEY_SEED", 20261207, UINT32_MAX, seed));
    test::FakeDialogs dialogs;
    test::FakeSound sound;
    Translation translation(QStringLiteral(CHORDVANE_QM_DIR));
    ASSERT_TRUE(translation.use(GetParam()));
    frmMain window(dialogs, sound, QStringLiteral(CHORDVANE_DATA_DIR), nullptr, &translation);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Monkey monkey(window, dialogs, static_cast<std::uint32_t>(seed));
    std::deque<std::string> recent;
    for (int i = 0; i < steps; ++i) {
        recent.push_back(monkey.step());
        if (recent.size() > 12)
            recent.pop_front();
        checkInvariants(window);
        if (testing::Test::HasFailure()) {
            std::string history;
            for (const auto &action : recent)
                history += "\n  " + action;
            FAIL() << "seed " << seed << ", step " << i << "; last actions:" << history;
        }
    }
    EXPECT_GT(monkey.searchesShown, steps / 20);
}

INSTANTIATE_TEST_SUITE_P(JapaneseAndEnglish, MonkeyTest,
                         testing::Values(Language::Japanese, Language::English));

TEST(Monkey, SettingsTakeTheirWholeRangeAndRefuseTheRest)
{
    constexpr std::uint64_t kMax = UINT32_MAX;
    struct Case {
        const char *text;
        std::optional<std::uint64_t> value;
    };
    // clang-format off
    const Case cases[] = {
        {"", 7}, {"0", 0}, {"2147483648", 2147483648u}, {"4294967295", kMax},
        {"4294967296", std::nullopt}, {"-1", std::nullopt}, {"12abc", std::nullopt},
        {"0x10", std::nullopt},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(wholeNumber(c.text, 7, kMax), c.value);
    }
}
