#include "partnames.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace chordvane::score {

namespace {

// The key an instrument is in: its transposition above C.
QString keyName(int transposition)
{
    static const char *const kKeys[12] = {"C",  "D♭", "D",  "E♭", "E",  "F",
                                          "G♭", "G",  "A♭", "A",  "B♭", "B"};
    return QString::fromUtf8(kKeys[pitchClass(transposition)]);
}

void numberEqualNames(std::vector<QString> &names)
{
    QHash<QString, int> count;
    for (const QString &name : names)
        ++count[name];
    QHash<QString, int> seen;
    for (QString &name : names) {
        if (!name.isEmpty() && count.value(name) > 1)
            name += QStringLiteral(" %1").arg(++seen[name]);
    }
}

// inForce(p) gives part p's name, abbreviation and transposition in force.
template <typename InForce>
PartLabels labelParts(const Score &score, size_t count, const InForce &inForce)
{
    PartLabels labels;
    for (size_t p = 0; p < count; ++p) {
        const auto [name, abbreviation, transposition] = inForce(p);
        // The transposition the name was given with is that of the first
        // setting that bears it.
        const std::vector<PartSetting> &settings = score.parts[p].settings;
        const auto named =
            std::find_if(settings.begin(), settings.end(),
                         [&wanted = name](const PartSetting &s) { return s.name == wanted; });
        const int namedFor = named == settings.end() ? transposition : named->transposition;
        labels.names.push_back(renamedForTransposition(name, namedFor, transposition));
        labels.abbreviations.push_back(
            renamedForTransposition(abbreviation, namedFor, transposition));
    }
    numberEqualNames(labels.names);
    numberEqualNames(labels.abbreviations);
    return labels;
}

} // namespace

QString renamedForTransposition(const QString &name, int namedFor, int transposition)
{
    if (name.isEmpty() || pitchClass(namedFor - transposition) == 0)
        return name;
    static const QRegularExpression keyInName(
        QStringLiteral("\\bin ([A-G])(♭|♯|b|#|-flat| flat|-sharp| sharp)?(?=$|[^\\w♭♯#])"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QString key = keyName(transposition);
    QString renamed = name;
    if (renamed.contains(keyInName))
        return renamed.replace(keyInName, QStringLiteral("in ") + key);
    return name + QStringLiteral(" (in %1)").arg(key);
}

PartLabels partLabels(const Score &score, const Moment &moment)
{
    return labelParts(score, moment.parts.size(), [&moment](size_t p) {
        const PartMoment &part = moment.parts[p];
        return std::tuple<const QString &, const QString &, int>(part.name, part.abbreviation,
                                                                 part.transposition);
    });
}

PartLabels partLabelsAt(const Score &score, const Fraction &at)
{
    return labelParts(score, score.parts.size(), [&score, &at](size_t p) {
        const PartSetting &setting = settingAt(score.parts[p], at);
        return std::tuple<const QString &, const QString &, int>(setting.name, setting.abbreviation,
                                                                 setting.transposition);
    });
}

} // namespace chordvane::score
