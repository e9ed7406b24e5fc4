#include "reading.h"

namespace chordvane::score {

QString readWorkTitle(XmlWalk &walk)
{
    QString title;
    while (walk.nextChild()) {
        if (walk.is(u"work-title"))
            title = walk.text();
        else
            walk.skip();
    }
    return title;
}

void readBarline(XmlWalk &walk, RawMeasure &measure)
{
    const bool left = walk.attribute("location") == u"left";
    while (walk.nextChild()) {
        if (!walk.is(u"bar-style")) {
            walk.skip();
            continue;
        }
        // light-heavy ends a piece or a section as light-light does; a
        // repeat's heavy-light is the repeat sign's, not a double bar.
        const QString style = walk.text();
        if (style == u"light-light" || style == u"light-heavy")
            (left ? measure.doubleBarBefore : measure.doubleBarAfter) = true;
    }
}

void readDirectionType(XmlWalk &walk, RawMeasure &measure)
{
    while (walk.nextChild()) {
        if (walk.is(u"rehearsal") && measure.rehearsal.isEmpty())
            measure.rehearsal = clip(walk.text().simplified());
        else
            walk.skip();
    }
}

} // namespace chordvane::score
