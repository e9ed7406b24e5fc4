#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTranslator>

namespace chordvane {

namespace {

const QString kLanguageKey = QStringLiteral("view/language");

// As kept in the settings, and as the translation files are named.
QString code(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

} // namespace

Language languageOfLocale(const QString &lcAll, const QString &lcMessages, const QString &lang)
{
    QString locale;
    for (const QString *variable : {&lcAll, &lcMessages, &lang}) {
        if (!variable->isEmpty()) {
            locale = *variable;
            break;
        }
    }
    // "ja_JP.UTF-8@mod": the language stands before the territory, codeset and modifier.
    const qsizetype end = locale.indexOf(QRegularExpression(QStringLiteral("[_.@]")));
    const QString language = locale.left(end);
    // A bare machine shows what the program has always shown.
    if (language.isEmpty() || language == QLatin1String("C") ||
        language == QLatin1String("POSIX") ||
        language.compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0)
        return Language::Japanese;
    return Language::English;
}

Language systemLanguage()
{
    return languageOfLocale(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
                            qEnvironmentVariable("LANG"));
}

Language startLanguage(const QSettings *settings)
{
    const QString kept = settings ? settings->value(kLanguageKey).toString() : QString();
    for (const Language language : {Language::Japanese, Language::English}) {
        if (kept == code(language))
            return language;
    }
    return systemLanguage();
}

void keepLanguage(QSettings *settings, Language language)
{
    if (!settings)
        return;
    settings->setValue(kLanguageKey, code(language));
    settings->sync(); // kept even if the program does not end normally
}

QString readMeFileName(Language language)
{
    return language == Language::English ? QStringLiteral("Before you start.txt")
                                         : QStringLiteral("使う前に.txt");
}

Translation::Translation(QString qmFolder)
    : m_qmFolder(std::move(qmFolder))
{}

Translation::~Translation()
{
    removeInstalled();
}

QString Translation::programFile(Language language) const
{
    return QDir(m_qmFolder).filePath(QStringLiteral("chordvane_%1.qm").arg(code(language)));
}

bool Translation::use(Language language)
{
    // Japanese needs no translation of the program's texts.
    auto program = std::make_unique<QTranslator>();
    if (language != Language::Japanese && !program->load(programFile(language)))
        return false;
    auto qt = std::make_unique<QTranslator>();
    if (!qt->load(QStringLiteral("qtbase_") + code(language),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qt.reset(); // Qt speaks English without it; Japanese is Qt's to miss
    // The new ones go in before the old ones come out, so that a switch that
    // fails leaves every window as it was. A translator that loads but holds
    // nothing is not taken (and is removed again as it goes).
    if (language != Language::Japanese && !QCoreApplication::installTranslator(program.get()))
        return false;
    if (qt && !QCoreApplication::installTranslator(qt.get()))
        qt.reset();
    removeInstalled();
    if (language != Language::Japanese)
        m_program = std::move(program);
    m_qt = std::move(qt);
    m_language = language;
    return true;
}

void Translation::removeInstalled()
{
    for (std::unique_ptr<QTranslator> *translator : {&m_program, &m_qt}) {
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
}

} // namespace chordvane
