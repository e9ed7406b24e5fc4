#pragma once

#include <cstdint>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace chordvane {

// Thrown when an exact result does not fit in 64 bits; the reader turns it
// into a message about the score's durations; the analysis lets it pass.
class FractionOverflow : public std::overflow_error {
public:
    FractionOverflow()
        : std::overflow_error("fraction out of range")
    {}
};

// An exact rational number, always in lowest terms with a positive
// denominator. Score time is counted in quarter notes: tuplet durations such
// as 483/840 must add up without rounding.
class Fraction {
public:
    __extension__ typedef __int128 Wide; // GCC and clang; -Wpedantic knows no 128-bit type

    constexpr Fraction() = default;
    Fraction(std::int64_t numerator, std::int64_t denominator = 1)
    {
        if (denominator == 0 || numerator == kMin || denominator == kMin)
            throw FractionOverflow();
        if (denominator < 0) {
            numerator = -numerator;
            denominator = -denominator;
        }
        const std::int64_t divisor = std::gcd(numerator, denominator);
        m_numerator = numerator / divisor;
        m_denominator = denominator / divisor;
    }

    std::int64_t numerator() const { return m_numerator; }
    std::int64_t denominator() const { return m_denominator; }

    friend Fraction operator+(const Fraction &a, const Fraction &b)
    {
        // Over the least common denominator, so that sums of equal
        // denominators never grow.
        const std::int64_t divisor = std::gcd(a.m_denominator, b.m_denominator);
        const std::int64_t aScale = b.m_denominator / divisor;
        const std::int64_t bScale = a.m_denominator / divisor;
        return Fraction(add(multiply(a.m_numerator, aScale), multiply(b.m_numerator, bScale)),
                        multiply(a.m_denominator, aScale));
    }
    friend Fraction operator-(const Fraction &a, const Fraction &b)
    {
        return a + Fraction(-b.m_numerator, b.m_denominator);
    }
    friend Fraction operator*(const Fraction &a, const Fraction &b)
    {
        // Cancelling across first keeps the products small.
        const std::int64_t g1 = std::gcd(a.m_numerator, b.m_denominator);
        const std::int64_t g2 = std::gcd(b.m_numerator, a.m_denominator);
        return Fraction(multiply(a.m_numerator / g1, b.m_numerator / g2),
                        multiply(a.m_denominator / g2, b.m_denominator / g1));
    }
    // Division by zero throws FractionOverflow too.
    friend Fraction operator/(const Fraction &a, const Fraction &b)
    {
        return a * Fraction(b.m_denominator, b.m_numerator);
    }
    Fraction &operator+=(const Fraction &other) { return *this = *this + other; }
    Fraction &operator-=(const Fraction &other) { return *this = *this - other; }

    friend bool operator==(const Fraction &, const Fraction &) = default;
    friend bool operator<(const Fraction &a, const Fraction &b)
    {
        // Cross products in 128 bits cannot overflow.
        return static_cast<Wide>(a.m_numerator) * b.m_denominator <
               static_cast<Wide>(b.m_numerator) * a.m_denominator;
    }
    friend bool operator>(const Fraction &a, const Fraction &b) { return b < a; }
    friend bool operator<=(const Fraction &a, const Fraction &b) { return !(b < a); }
    friend bool operator>=(const Fraction &a, const Fraction &b) { return !(a < b); }

private:
    static std::int64_t multiply(std::int64_t a, std::int64_t b)
    {
        std::int64_t result = 0;
        if (__builtin_mul_overflow(a, b, &result))
            throw FractionOverflow();
        return result;
    }
    static std::int64_t add(std::int64_t a, std::int64_t b)
    {
        std::int64_t result = 0;
        if (__builtin_add_overflow(a, b, &result))
            throw FractionOverflow();
        return result;
    }

    // Its negation does not fit.
    static constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

    std::int64_t m_numerator = 0;
    std::int64_t m_denominator = 1;
};

} // namespace chordvane

// The score reader's own name for it.
namespace chordvane::score {
using chordvane::Fraction;
using chordvane::FractionOverflow;
} // namespace chordvane::score
