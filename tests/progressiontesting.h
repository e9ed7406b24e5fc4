// Hand-made passages for the harmony tests: lines written as note names
// and lengths, and the chart they give written as one line of text.
#pragma once

#include "harmony.h"
#include "harmonytesting.h"

#include <sstream>
#include <string>
#include <vector>

namespace chordvane::test {

using harmony::Analysis;
using harmony::Key;
using harmony::Meter;
using harmony::Piece;
using harmony::Step;

inline Fraction parseLength(const std::string &text)
{
    const size_t slash = text.find('/');
    return slash == std::string::npos
               ? Fraction(std::stoi(text))
               : Fraction(std::stoi(text.substr(0, slash)), std::stoi(text.substr(slash + 1)));
}

// One line from its first measure's start: "C4:1 D4:1/2 r:1/2", lengths in
// quarter notes, r a rest.
inline void addLine(Piece &piece, int line, const std::string &text)
{
    std::istringstream in(text);
    Fraction at = piece.measureStarts.front();
    for (std::string token; in >> token;) {
        const size_t colon = token.find(':');
        const Fraction length = parseLength(token.substr(colon + 1));
        if (token[0] != 'r')
            piece.notes.push_back({at, at + length, midiKey(token.substr(0, colon)), line});
        at += length;
        piece.end = std::max(piece.end, at);
    }
}

inline std::string text(const Fraction &f)
{
    return std::to_string(f.numerator()) +
           (f.denominator() == 1 ? "" : "/" + std::to_string(f.denominator()));
}

// "start symbol rate" per step.
inline std::string chart(const Analysis &analysis)
{
    std::string out;
    for (const Step &step : analysis.steps) {
        out += (out.empty() ? "" : " | ") + text(step.start) + " " +
               (step.chord ? step.symbol : "N.C.") + " " + std::to_string(step.rate);
    }
    return out;
}

struct Progression {
    const char *name;
    std::vector<std::string> lines;
    const char *expected;
    Meter meter = {0, 4, 4};
    Fraction pickup = 0; // length of a first, short measure
    std::vector<Key> keys = {};
};

inline Piece pieceOf(const Progression &p)
{
    Piece piece;
    piece.meters = {p.meter};
    piece.keys = p.keys;
    piece.measureStarts = {0};
    const Fraction bar = Fraction(4 * p.meter.beats, p.meter.beatType);
    for (const std::string &line : p.lines)
        addLine(piece, static_cast<int>(&line - p.lines.data()), line);
    for (Fraction at = p.pickup > 0 ? p.pickup : bar; at < piece.end; at += bar)
        piece.measureStarts.push_back(at);
    return piece;
}

} // namespace chordvane::test
