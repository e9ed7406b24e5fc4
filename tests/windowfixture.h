#pragma once

#include "fakedialogs.h"
#include "fakesound.h"
#include "frmcodeshow.h"
#include "frmmain.h"
#include "testsupport.h"

#include <QListWidget>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace chordvane::test {

// A main window on a scratch data folder with the example chord list, fake
// dialogs and sound, and settings of its own; the lines of the last results
// window are kept in shownLines.
class WindowFixture : public testing::Test {
protected:
    TempDir data;
    FakeDialogs dialogs;
    FakeSound sound;
    QSettings settings{QString::fromStdString(data.path() + "/settings.ini"), QSettings::IniFormat};
    Translation *translation = nullptr; // none: the window stays in Japanese
    std::unique_ptr<frmMain> window;
    QStringList shownLines;

    void SetUp() override
    {
        data.write("CodeList.txt", kExampleList);
        data.write("CodeListB.txt", "B-list:1,5,8\r\n");
        data.write("使う前に.txt", "使う前に ♭\n");
        open();
        dialogs.onModal = [this](QDialog *dialog) {
            auto *results = qobject_cast<frmCodeShow *>(dialog);
            ASSERT_NE(results, nullptr);
            shownLines.clear();
            for (int i = 0; i < results->lstCodes->count(); ++i)
                shownLines << results->lstCodes->item(i)->text();
        };
    }
    // A new window, as at the program's next start: the old one goes first,
    // so that one window at a time uses the settings.
    void open()
    {
        window.reset();
        window = std::make_unique<frmMain>(dialogs, sound, QString::fromStdString(data.path()),
                                           &settings, translation);
        window->show();
        window->activateWindow(); // keyboard shortcuts need the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

} // namespace chordvane::test
