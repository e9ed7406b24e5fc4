#include "reading.h"

namespace chordvane::score {

std::vector<ListedPart> readPartList(XmlWalk &walk)
{
    std::vector<ListedPart> list;
    while (walk.nextChild()) {
        if (!walk.is(u"score-part")) {
            walk.skip();
            continue;
        }
        ListedPart &part = list.emplace_back();
        part.id = walk.attribute("id");
        while (walk.nextChild()) {
            if (walk.is(u"part-name"))
                part.name = walk.text();
            else
                walk.skip();
        }
    }
    return list;
}

} // namespace chordvane::score
