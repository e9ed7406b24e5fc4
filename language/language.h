#pragma once

#include <QString>

#include <memory>

class QSettings;
class QTranslator;

namespace chordvane {

// The languages the windows speak. Japanese is the program's own: the
// windows' texts are written in it, and English is a translation of them.
enum class Language { Japanese, English };

// The language a locale asks for, from the values of LC_ALL, LC_MESSAGES and
// LANG (empty when unset; the first one set wins, as in POSIX): Japanese for
// a Japanese locale and for one that names no language (none set, "C",
// "POSIX", "C.UTF-8"), English for any other.
Language languageOfLocale(const QString &lcAll, const QString &lcMessages, const QString &lang);

// The same for this process's environment.
Language systemLanguage();

// The language chosen in the menu, kept in settings; the system's when none
// was chosen or there are no settings.
Language startLanguage(const QSettings *settings);
void keepLanguage(QSettings *settings, Language language);

// The users' read-me in each language, in the data folder.
QString readMeFileName(Language language);

// The translators of the program's windows and of Qt's own dialogs (the
// file chooser, the message boxes' buttons), installed in the application
// for one language at a time. Every window gets a LanguageChange event when
// they change. Removes them when it goes.
class Translation {
public:
    // qmFolder holds the program's translations (chordvane_en.qm); Qt's own
    // come from Qt's translations folder.
    explicit Translation(QString qmFolder);
    ~Translation();
    Translation(const Translation &) = delete;
    Translation &operator=(const Translation &) = delete;

    // Japanese until another language is used.
    Language language() const { return m_language; }
    // Installs the translators of language in place of the ones before.
    // False, changing nothing, when the program's translation cannot be
    // loaded or holds no text; Qt's own are used where Qt has them.
    bool use(Language language);
    // Where the program's translation into language is looked for.
    QString programFile(Language language) const;

private:
    void removeInstalled();

    QString m_qmFolder;
    Language m_language = Language::Japanese;
    std::unique_ptr<QTranslator> m_program;
    std::unique_ptr<QTranslator> m_qt;
};

} // namespace chordvane
