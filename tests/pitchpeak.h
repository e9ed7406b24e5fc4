#pragma once

#include <string>
#include <vector>

namespace chordvane::test {

// A 16-bit PCM WAV file as read back: its format and its samples mixed to mono.
struct Wav {
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    std::vector<double> mono;
};
Wav readWav(const std::string &path);

// The frequency of the strongest peak within ±30 cents of `near` (Hz) in
// the spectrum of the samples (Hann window, zero padded, the peak placed
// between bins by a parabola through the log magnitudes).
double peakFrequency(const std::vector<double> &samples, int sampleRate, double near);

// Cents from b up to a.
double centsBetween(double a, double b);

} // namespace chordvane::test
