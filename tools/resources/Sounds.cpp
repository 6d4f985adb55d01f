#include "tools/resources/Sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tools::resources {
namespace {

// One struck note: a few partials, a quick rise and an exponential fall.
struct Note {
    double start;       // seconds
    double frequency;   // Hz at the start
    double length;      // seconds until silence
    double loudness;    // 0..1
    double decay;       // per second; larger dies faster
    double glide = 0;   // frequency change per second, as a factor of the start frequency
    // Relative strengths of partials 1, 2, 3 and the bell's inharmonic 2.76.
    double p1 = 1, p2 = 0, p3 = 0, bell = 0;
};

using Buffer = std::vector<double>;

void addNote(Buffer& out, const Note& n) {
    const double twoPi = 2 * std::numbers::pi;
    const int first = static_cast<int>(n.start * SoundRate);
    const int count = static_cast<int>(n.length * SoundRate);
    const double attack = 0.006;
    double phase = 0;
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / SoundRate;
        const double frequency = n.frequency * std::max(0.2, 1 + n.glide * t);
        phase += twoPi * frequency / SoundRate;
        double envelope = std::exp(-n.decay * t) * std::min(1.0, t / attack);
        const double tail = n.length - t;   // fade the last 20 ms, so no note ends in a click
        if (tail < 0.02) envelope *= tail / 0.02;
        const double wave = n.p1 * std::sin(phase) + n.p2 * std::sin(2 * phase) +
                            n.p3 * std::sin(3 * phase) + n.bell * std::sin(2.76 * phase);
        out[first + i] += n.loudness * envelope * wave;
    }
}

std::vector<std::int16_t> render(double seconds, const std::vector<Note>& notes) {
    Buffer mix(static_cast<std::size_t>(seconds * SoundRate), 0.0);
    for (const Note& n : notes) addNote(mix, n);
    double peak = 0;
    for (double v : mix) peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? 0.6 / peak : 0;   // comfortable, well below full scale
    std::vector<std::int16_t> samples(mix.size());
    std::transform(mix.begin(), mix.end(), samples.begin(),
                   [gain](double v) { return static_cast<std::int16_t>(std::lround(v * gain * 32767)); });
    return samples;
}

double pitch(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

Note chime(double start, int semitones, double length, double loudness = 0.8) {
    return {start, pitch(semitones), length, loudness, 5.0, 0, 1.0, 0.25, 0.05, 0.18};
}

Note knock(double start, double frequency, double loudness) {
    return {start, frequency, 0.14, loudness, 32.0, -1.6, 1.0, 0.35, 0.12, 0};
}

void put16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& s, unsigned v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

} // namespace

std::string waveFile(const std::vector<std::int16_t>& samples, int rate) {
    const unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
    std::string w = "RIFF";
    put32(w, 36 + dataBytes);
    w += "WAVEfmt ";
    put32(w, 16);                              // size of the format block
    put16(w, 1);                               // PCM
    put16(w, 1);                               // mono
    put32(w, static_cast<unsigned>(rate));
    put32(w, static_cast<unsigned>(rate * 2)); // bytes a second
    put16(w, 2);                               // bytes a frame
    put16(w, 16);                              // bits a sample
    w += "data";
    put32(w, dataBytes);
    for (std::int16_t s : samples) put16(w, static_cast<std::uint16_t>(s));
    return w;
}

std::vector<std::int16_t> soundSamples(int event) {
    switch (event) {
    case 0:   // system message: a two-note bell, up a fourth
        return render(0.75, {chime(0.0, 7, 0.5), chime(0.14, 12, 0.6)});
    case 1:   // chat in: three light notes rising
        return render(0.6, {chime(0.0, 15, 0.3, 0.6), chime(0.09, 19, 0.3, 0.6), chime(0.18, 22, 0.4, 0.7)});
    case 2: { // chat sent: a short upward blip
        Note blip{0.0, 620, 0.16, 0.8, 14.0, 4.0, 1.0, 0.15, 0, 0};
        return render(0.18, {blip});
    }
    case 3:   // own tile lands: a wooden knock
        return render(0.16, {knock(0.0, 260, 1.0)});
    case 4:   // opponent's tile lands: a lower double knock
        return render(0.26, {knock(0.0, 190, 0.9), knock(0.09, 170, 0.6)});
    case 5:   // game ready: a rising arpeggio
        return render(0.9, {chime(0.0, 3, 0.5), chime(0.12, 7, 0.5), chime(0.24, 10, 0.5),
                            chime(0.36, 15, 0.5)});
    case 6:   // game over: a falling chime that rings on
        return render(1.1, {chime(0.0, 10, 0.7), chime(0.16, 7, 0.7), chime(0.32, 3, 0.75, 0.9)});
    case 7: { // play error: two soft low notes falling
        Note a{0.0, pitch(-12), 0.16, 0.8, 10.0, 0, 1.0, 0.3, 0.2, 0};
        Note b{0.15, pitch(-16), 0.22, 0.8, 9.0, 0, 1.0, 0.3, 0.2, 0};
        return render(0.4, {a, b});
    }
    default:
        return {};
    }
}

} // namespace tools::resources
