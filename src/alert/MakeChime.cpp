// Writes the alert's sound, Alerting.wav: a short chime of three soft bell notes rising through a
// major chord (C6, E6, G6), 16-bit mono PCM at 22 050 Hz. Run by the build:
//     qj_make_chime OUTPUT.wav

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kLength = 1.9; // seconds

struct Note {
    double start;     // seconds
    double frequency; // Hz
    double loudness;
};

constexpr Note kNotes[] = {{0.00, 1046.50, 0.55}, {0.16, 1318.51, 0.50}, {0.32, 1567.98, 0.60}};

// A bell-like tone: a few partials, each dying away faster than the one below it, with a short
// attack so the note starts without a click.
double Tone(double t, double frequency) {
    if (t < 0)
        return 0;
    struct Partial {
        double ratio, level, decay;
    };
    constexpr Partial partials[] = {{1.0, 1.0, 1.6}, {2.0, 0.28, 3.0}, {3.01, 0.10, 5.0}, {4.2, 0.04, 8.0}};
    const double attack = std::min(1.0, t / 0.006);
    double sum = 0;
    for (const Partial& p : partials)
        sum += p.level * std::exp(-p.decay * t) * std::sin(2 * std::numbers::pi * frequency * p.ratio * t);
    return attack * sum;
}

void Put16(std::ofstream& out, std::uint16_t v) {
    const char bytes[] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(bytes, 2);
}

void Put32(std::ofstream& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qj_make_chime OUTPUT.wav\n");
        return 2;
    }
    const int count = static_cast<int>(kLength * kRate);
    std::vector<std::int16_t> samples(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / kRate;
        double v = 0;
        for (const Note& n : kNotes)
            v += n.loudness * Tone(t - n.start, n.frequency);
        // Fade the tail out over the last 0.3 s so the sound ends in silence.
        const double fade = std::min(1.0, (kLength - t) / 0.3);
        v = std::tanh(v * 0.9) * fade;
        samples[static_cast<size_t>(i)] = static_cast<std::int16_t>(std::lround(v * 26000));
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    if (!out) {
        std::fprintf(stderr, "qj_make_chime: cannot write %s\n", argv[1]);
        return 1;
    }
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, dataBytes);
    for (std::int16_t s : samples)
        Put16(out, static_cast<std::uint16_t>(s));
    return out ? 0 : 1;
}
