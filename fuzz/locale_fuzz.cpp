// The language rule over arbitrary locale settings. Input: LC_ALL,
// LC_MESSAGES and LANG as UTF-8, separated by NUL bytes.
#include "language.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    using chordvane::languageOfLocale;
    QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)).split('\0');
    parts.resize(3);
    const QString lcAll = QString::fromUtf8(parts[0]), lcMessages = QString::fromUtf8(parts[1]),
                  lang = QString::fromUtf8(parts[2]);
    const chordvane::Language language = languageOfLocale(lcAll, lcMessages, lang);
    // The first setting given decides alone.
    const chordvane::Language first = !lcAll.isEmpty()        ? languageOfLocale(lcAll, {}, {})
                                      : !lcMessages.isEmpty() ? languageOfLocale(lcMessages, {}, {})
                                                              : languageOfLocale({}, {}, lang);
    if (language != first)
        std::abort();
    return 0;
}
