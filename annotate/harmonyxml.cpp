#include "harmonyxml.h"

#include "harmonykind.h"

#include <QList>

namespace chordvane::annotate {

namespace {

constexpr char kSteps[] = "CDEFGAB";

// Text for an attribute value: markup escaped, characters XML 1.0 forbids
// left out.
QString escaped(const QString &text, bool unicode)
{
    QString out;
    for (const char32_t c : text.toUcs4()) {
        if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF ||
            (c >= 0xD800 && c <= 0xDFFF))
            continue;
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else if (c == u'"')
            out += QLatin1String("&quot;");
        else if (c < 0x20 || (c > 0x7E && !unicode))
            out += QStringLiteral("&#x%1;").arg(uint(c), 0, 16);
        else
            out += QString::fromUcs4(&c, 1);
    }
    return out;
}

// Lines of markup, laid out as the layout says.
class Writer {
public:
    explicit Writer(const Layout &layout)
        : m_layout(layout)
    {}
    void open(const QString &name)
    {
        line(QLatin1Char('<') + name + QLatin1Char('>'));
        ++m_depth;
    }
    void close(const QString &name)
    {
        --m_depth;
        line(QStringLiteral("</") + name + QLatin1Char('>'));
    }
    void leaf(const QString &name, const QString &value)
    {
        line(QStringLiteral("<%1>%2</%1>").arg(name, value));
    }
    void note(const QString &prefix, const Spelling &note)
    {
        leaf(prefix + QStringLiteral("-step"), QString(QLatin1Char(kSteps[note.letter])));
        if (note.alter != 0)
            leaf(prefix + QStringLiteral("-alter"), QString::number(note.alter));
    }
    void line(const QString &content)
    {
        if (!m_text.isEmpty() && !m_layout.newline.isEmpty()) {
            m_text += m_layout.newline + m_layout.indent;
            for (int i = 0; i < m_depth; ++i)
                m_text += m_layout.unit;
        }
        m_text += content;
    }
    QString text() const { return m_text; }

private:
    const Layout &m_layout;
    QString m_text;
    int m_depth = 0;
};

} // namespace

QString harmonyElement(const ChordSymbol &symbol, const QString &offset, const Layout &layout,
                       bool unicode)
{
    const HarmonyKind kind = harmonyKind(symbol.intervals);
    const QString root = QStringLiteral("root");
    const QString bass = QStringLiteral("bass");
    Writer xml(layout);
    xml.open(QStringLiteral("harmony"));
    xml.open(root);
    xml.note(root, symbol.root);
    xml.close(root);
    // A chord its kind alone names goes as that kind. One that needs
    // degrees as well goes as "other" with the list's name alone: a notation
    // program prints degrees after the kind's text, hidden or not
    // ("A7(♭9)♭9"), and without them would take the bare kind (B♭add9 as B♭).
    const std::string_view kindValue = kind.degrees.empty() ? kind.kind : "other";
    xml.line(QStringLiteral("<kind text=\"%1\">%2</kind>")
                 .arg(escaped(QString::fromStdString(symbol.name), unicode),
                      QLatin1String(kindValue.data(), qsizetype(kindValue.size()))));
    if (symbol.bass) {
        xml.open(bass);
        xml.note(bass, *symbol.bass);
        xml.close(bass);
    }
    // The chord changes there, not only its print.
    if (!offset.isEmpty())
        xml.line(QStringLiteral("<offset sound=\"yes\">%1</offset>").arg(offset));
    xml.close(QStringLiteral("harmony"));
    return xml.text();
}

} // namespace chordvane::annotate
