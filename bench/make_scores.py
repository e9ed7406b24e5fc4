#!/usr/bin/env python3
"""Writes the large MusicXML scores that the memory and time figures of
chordvane-find --score are taken on, so that they can be made again rather
than kept in the repository:

  many_parts.musicxml   80 parts, 100 measures of 4/4; each part rests for a
                        moment of its own at the bar line and then plays two
                        half notes, so that no two parts attack together
                        (16 000 moments, nearly every part held at each)
  sixteenths.musicxml   four parts, 2000 measures of sixteenths (about 15 MB)

usage: make_scores.py [FOLDER]   (default: the current folder)
"""

import os
import sys

STEPS = "CDEFGAB"


def note(step, octave, duration, kind):
    return (
        f"<note><pitch><step>{step}</step><octave>{octave}</octave></pitch>"
        f"<duration>{duration}</duration><voice>1</voice><type>{kind}</type></note>\n"
    )


def score(parts, measures, measure_body, divisions):
    out = ['<?xml version="1.0" encoding="UTF-8"?>\n<score-partwise version="4.0">\n  <part-list>\n']
    for p in range(parts):
        out.append(f'    <score-part id="P{p + 1}">\n      <part-name>Part {p + 1}</part-name>\n'
                   "    </score-part>\n")
    out.append("  </part-list>\n")
    for p in range(parts):
        out.append(f'  <part id="P{p + 1}">\n')
        for m in range(measures):
            out.append(f'    <measure number="{m + 1}">\n')
            if m == 0:
                out.append(f"      <attributes>\n        <divisions>{divisions}</divisions>\n"
                           "        <time><beats>4</beats><beat-type>4</beat-type></time>\n"
                           "      </attributes>\n")
            out.append(measure_body(p, m))
            out.append("    </measure>\n")
        out.append("  </part>\n")
    out.append("</score-partwise>\n")
    return "".join(out)


def many_parts():
    # 80 divisions a quarter: part p rests 2p divisions, then two half notes,
    # the second cut short to end at the bar line.
    def body(p, m):
        rest = 2 * p
        text = ""
        if rest:
            text += f"<note><rest/><duration>{rest}</duration><voice>1</voice></note>\n"
        step = STEPS[(p + m) % 7]
        text += note(step, 3 + p % 3, 160, "half")
        text += note(STEPS[(p + m + 2) % 7], 3 + p % 3, 160 - rest, "quarter")
        return text

    return score(80, 100, body, 80)


def sixteenths():
    def body(p, m):
        return "".join(note(STEPS[(p * 2 + m + i) % 7], 3 + p % 3, 1, "16th") for i in range(16))

    return score(4, 2000, body, 4)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(folder, exist_ok=True)
    for name, make in (("many_parts.musicxml", many_parts), ("sixteenths.musicxml", sixteenths)):
        path = os.path.join(folder, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(make())
        print(f"{path}: {os.path.getsize(path) / 1e6:.1f} MB")


if __name__ == "__main__":
    main()
