#include "pitchpeak.h"

#include <fftw3.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <numbers>

namespace chordvane::test {

namespace {

constexpr size_t kPadded = 1 << 20; // 0.04 Hz a bin at 44.1 kHz

int littleEndian(const std::string &bytes, size_t at, int count)
{
    int value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

Wav readWav(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    Wav wav;
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 ||
        bytes.compare(8, 8, "WAVEfmt ") != 0 || bytes.compare(36, 4, "data") != 0)
        return wav;
    wav.channels = littleEndian(bytes, 22, 2);
    wav.sampleRate = littleEndian(bytes, 24, 4);
    wav.bits = littleEndian(bytes, 34, 2);
    const size_t frames = (bytes.size() - 44) / (2 * static_cast<size_t>(wav.channels));
    for (size_t f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < wav.channels; ++c)
            sum +=
                static_cast<std::int16_t>(littleEndian(bytes, 44 + 2 * (f * wav.channels + c), 2));
        wav.mono.push_back(sum / wav.channels);
    }
    return wav;
}

double peakFrequency(const std::vector<double> &samples, int sampleRate, double near)
{
    std::vector<double> input(kPadded, 0.0);
    const size_t n = std::min(samples.size(), kPadded);
    for (size_t i = 0; i < n; ++i)
        input[i] = samples[i] * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (n - 1)));
    std::vector<fftw_complex> output(kPadded / 2 + 1);
    fftw_plan plan =
        fftw_plan_dft_r2c_1d(static_cast<int>(kPadded), input.data(), output.data(), FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);

    const double binHz = static_cast<double>(sampleRate) / kPadded;
    auto logMagnitude = [&](size_t bin) {
        return std::log(std::hypot(output[bin][0], output[bin][1]) + 1e-12);
    };
    const auto first = static_cast<size_t>(near * std::pow(2.0, -30 / 1200.0) / binHz);
    const auto last = static_cast<size_t>(near * std::pow(2.0, 30 / 1200.0) / binHz);
    size_t best = first;
    for (size_t bin = first; bin <= last; ++bin) {
        if (logMagnitude(bin) > logMagnitude(best))
            best = bin;
    }
    const double a = logMagnitude(best - 1), b = logMagnitude(best), c = logMagnitude(best + 1);
    return (best + 0.5 * (a - c) / (a - 2 * b + c)) * binHz;
}

double centsBetween(double a, double b)
{
    return 1200 * std::log2(a / b);
}

} // namespace chordvane::test
