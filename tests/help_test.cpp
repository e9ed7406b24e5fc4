// Help and the menus' look: the read-me always shows, fits the screen, and
// exclusive choices look alike.
#include "fakesound.h"
#include "frmmain.h"
#include "readmewindow.h"
#include "windowfixture.h"

#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

using namespace chordvane;

namespace {

// PATH holds only a scratch folder, where a test may put a fake xdg-open.
class FakeOpenerPath {
public:
    FakeOpenerPath()
        : m_saved(qgetenv("PATH"))
    {
        qputenv("PATH", QByteArray::fromStdString(m_folder.path()));
    }
    ~FakeOpenerPath() { qputenv("PATH", m_saved); }

    // An xdg-open that records its arguments, one a line, then runs body.
    void install(const std::string &body) const
    {
        const std::string script =
            "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + argumentsFile() + "\"\n" + body + "\n";
        std::filesystem::permissions(m_folder.write("xdg-open", script),
                                     std::filesystem::perms::owner_all);
    }
    std::string argumentsFile() const { return m_folder.path() + "/arguments"; }

private:
    test::TempDir m_folder;
    QByteArray m_saved;
};

} // namespace

TEST(DesktopOpener, TellsWhetherAViewerTookTheFile)
{
    struct Case {
        const char *name;
        std::optional<std::string> opener; // the fake xdg-open's last line; none: no opener
        bool shown;
    };
    const Case cases[] = {
        {"viewer takes it", "exit 0", true},
        {"no tool for the file", "exit 3", false},
        {"opener killed", "kill -9 $$", false},
        {"no opener", std::nullopt, false},
    };
    const QString path = QStringLiteral("/tmp/使う 前に.txt");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeOpenerPath fake;
        if (c.opener)
            fake.install(*c.opener);
        QtDialogs dialogs;
        QWidget owner;
        std::optional<bool> answer;
        dialogs.openInViewer(&owner, path, [&answer](bool shown) { answer = shown; });
        ASSERT_TRUE(QTest::qWaitFor([&answer] { return answer.has_value(); }, 10000));
        EXPECT_EQ(*answer, c.shown);
        if (c.opener) {
            QFile arguments(QString::fromStdString(fake.argumentsFile()));
            ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
            EXPECT_EQ(QString::fromUtf8(arguments.readAll()), path + '\n');
        }
    }
}

TEST(DesktopOpener, AnOpenerThatGivesUpLeavesTheReadMeShown)
{
    test::TempDir data;
    data.write("使う前に.txt", "使う前に\n");
    FakeOpenerPath fake;
    fake.install("exit 3"); // xdg-open: no tool to open the file
    QtDialogs dialogs;
    test::FakeSound sound;
    frmMain window(dialogs, sound, QString::fromStdString(data.path()));
    window.mnuHelpHowto->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.readMe(); }, 10000));
    EXPECT_TRUE(window.readMe()->isVisible());
    EXPECT_EQ(window.readMe()->textView()->toPlainText(), "使う前に\n");
}

class HelpTest : public test::WindowFixture {};

TEST_F(HelpTest, ReadMeWindowFitsTheScreenAndShowsWholeLines)
{
    // Lines of forty full-width characters, more than a screen holds.
    std::string line;
    for (int i = 0; i < 40; ++i)
        line += "あ";
    std::string text;
    for (int i = 0; i < 80; ++i)
        text += line + "\n";
    data.write("使う前に.txt", text);
    dialogs.viewerStarts = false;
    window->mnuHelpHowto->trigger();
    ReadMeWindow *readMe = window->readMe();
    ASSERT_TRUE(readMe);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(readMe));
    const QRect room = readMe->screen()->availableGeometry();
    EXPECT_TRUE(room.contains(readMe->frameGeometry()))
        << "window " << readMe->frameGeometry().width() << "x" << readMe->frameGeometry().height()
        << " on " << room.width() << "x" << room.height();
    // Readable: a line of forty full-width characters shows whole, and a
    // good part of the text at once.
    QPlainTextEdit *view = readMe->textView();
    const QFontMetrics metrics(view->font());
    EXPECT_GE(view->viewport()->width(), metrics.horizontalAdvance(QChar(0x3042)) * 40);
    EXPECT_GE(view->viewport()->height(), metrics.lineSpacing() * 20);
}

TEST_F(HelpTest, ExclusiveChoicesLookAlike)
{
    // The square left of the caption, where the mark goes, clear of the
    // menu's frame.
    const auto mark = [](QMenu *menu, QAction *item) {
        menu->popup(QPoint(0, 0));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
        const QRect row = menu->actionGeometry(item);
        const QRect square(row.topLeft(), QSize(row.height(), row.height()));
        const QImage image = menu->grab(square.adjusted(2, 2, -2, -2)).toImage();
        menu->hide();
        return image;
    };
    ASSERT_TRUE(window->mnuOptionCodeRate[3]->isChecked());
    ASSERT_TRUE(window->mnuOptionSoundItem[3]->isChecked());
    const QImage rate = mark(window->mnuOptionCode, window->mnuOptionCodeRate[3]);
    EXPECT_EQ(rate, mark(window->mnuOptionSound, window->mnuOptionSoundItem[3]));
    EXPECT_NE(rate, mark(window->mnuOptionCode, window->mnuOptionCodeRate[0]));
}
