#include "content/DataSounds.h"

#include "content/DataStaging.h"
#include "content/OggWriter.h"
#include "content/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

constexpr double TwoPi = 6.283185307179586;
constexpr double Rate = DataSounds::Rate;

enum class Wave
{
    Sine,
    Triangle,
    Square,
    Noise,
};

// One note of an effect: a pitch gliding from `from` to `to` (Hz) under an
// attack and an exponential fall that reaches silence at the note's end.
struct Note
{
    double start;
    double length;
    double from;
    double to;
    Wave wave = Wave::Sine;
    double gain = 0.5;
    double attack = 0.005;
    // Frequency modulation: the modulator's ratio to the pitch and its depth in radians.
    double fmRatio = 0.0;
    double fmDepth = 0.0;
};

// A noise of our own, so that no library's generator decides a sample.
class Noise
{
public:
    explicit Noise(std::uint32_t seed) : state(seed * 2654435761u | 1u) {}
    double Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state;
};

double Shape(Wave wave, double phase, Noise& noise)
{
    switch (wave)
    {
    case Wave::Sine:
        return std::sin(phase);
    case Wave::Triangle:
        return 2.0 / 3.14159265 * std::asin(std::sin(phase));
    case Wave::Square:
        // Softened, so that it buzzes without aliasing harshly.
        return std::tanh(4.0 * std::sin(phase));
    case Wave::Noise:
        return noise.Next();
    }
    return 0.0;
}

// Adds the note into the buffer of `channels` interleaved channels, on the
// channel (or every channel when channel is negative) with the pan gain.
void AddNote(std::vector<double>& buffer, std::uint32_t channels, const Note& note, double pan, Noise& noise)
{
    const auto first = static_cast<std::size_t>(note.start * Rate);
    const auto count = static_cast<std::size_t>(note.length * Rate);
    const std::size_t frames = buffer.size() / channels;
    double phase = 0.0;
    double modulator = 0.0;
    double filtered = 0.0;
    for (std::size_t i = 0; i < count && first + i < frames; ++i)
    {
        const double t = static_cast<double>(i) / static_cast<double>(count);
        const double pitch = note.from * std::pow(note.to / note.from, t);
        const double seconds = static_cast<double>(i) / Rate;
        const double rise = std::min(1.0, seconds / note.attack);
        // Falls to silence at the end: e^(-4t) less its end value, scaled back to 1 at t = 0.
        const double fall = (std::exp(-4.0 * t) - std::exp(-4.0)) / (1.0 - std::exp(-4.0));
        double value = Shape(note.wave, phase + note.fmDepth * std::sin(modulator), noise);
        if (note.wave == Wave::Noise)
        {
            // A one-pole low pass whose corner follows the pitch.
            const double k = std::min(1.0, TwoPi * pitch / Rate);
            filtered += k * (value - filtered);
            value = filtered;
        }
        const double sample = note.gain * rise * fall * value;
        for (std::uint32_t c = 0; c < channels; ++c)
        {
            const double side = channels == 1 ? 1.0 : (c == 0 ? 1.0 - pan : 1.0 + pan);
            buffer[(first + i) * channels + c] += sample * side;
        }
        phase += TwoPi * pitch / Rate;
        modulator += TwoPi * pitch * note.fmRatio / Rate;
    }
}

std::vector<std::int16_t> ToSamples(const std::vector<double>& buffer, double peak)
{
    double loudest = 1e-9;
    for (const double value : buffer)
        loudest = std::max(loudest, std::fabs(value));
    const double scale = peak * 32767.0 / loudest;
    std::vector<std::int16_t> samples(buffer.size());
    for (std::size_t i = 0; i < buffer.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(std::clamp(buffer[i] * scale, -32767.0, 32767.0)));
    return samples;
}

std::vector<double> Render(const std::vector<Note>& notes, std::uint32_t seed)
{
    double end = 0.0;
    for (const Note& note : notes)
        end = std::max(end, note.start + note.length);
    std::vector<double> buffer(static_cast<std::size_t>(end * Rate) + 1, 0.0);
    Noise noise(seed);
    for (const Note& note : notes)
        AddNote(buffer, 1, note, 0.0, noise);
    return buffer;
}

// A loop of `seconds`: partials (Hz, gain) held to whole cycles of the loop,
// under `pulses` swells that are silent where the loop joins.
std::vector<double> Loop(double seconds, const std::vector<std::pair<double, double>>& partials, std::uint32_t pulses,
                         double wobble = 0.0)
{
    const auto length = static_cast<std::size_t>(seconds * Rate);
    const double frames = static_cast<double>(length);
    std::vector<double> buffer(length, 0.0);
    for (std::size_t n = 0; n < length; ++n)
    {
        const double at = static_cast<double>(n) / frames;
        const double swell = std::pow(std::sin(3.14159265358979 * pulses * at), 2.0);
        double value = 0.0;
        for (const auto& [hertz, gain] : partials)
        {
            const double cycles = std::max(1.0, std::round(hertz * seconds));
            value += gain * std::sin(TwoPi * cycles * at + wobble * std::sin(TwoPi * pulses * at));
        }
        buffer[n] = swell * value;
    }
    return buffer;
}

double Midi(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

std::vector<Note> Arpeggio(const std::vector<double>& notes, double step, double length, Wave wave, double start = 0.0)
{
    std::vector<Note> out;
    for (std::size_t i = 0; i < notes.size(); ++i)
    {
        const double pitch = Midi(notes[i]);
        out.push_back({start + step * static_cast<double>(i), length, pitch, pitch, wave, 0.5, 0.004, 2.0, 0.6});
    }
    return out;
}

std::vector<double> Effect(const std::string& name)
{
    const Wave S = Wave::Sine;
    const Wave T = Wave::Triangle;
    const Wave Q = Wave::Square;
    const Wave N = Wave::Noise;
    if (name == "button_select_0")
        return Render({{0, 0.07, 880, 1040, S, 0.5}}, 1);
    if (name == "button_select_1")
        return Render({{0, 0.07, 990, 1170, S, 0.5}}, 2);
    if (name == "button_click")
        return Render({{0, 0.02, 4000, 2000, N, 0.5}, {0, 0.09, 620, 480, T, 0.6}}, 3);
    if (name == "edit_box_print")
        return Render({{0, 0.03, 6000, 3000, N, 0.6}, {0, 0.02, 1500, 1400, S, 0.2}}, 4);
    if (name == "window_appear")
        return Render({{0, 0.25, 300, 900, T, 0.5}, {0.02, 0.25, 600, 1800, S, 0.2}}, 5);
    if (name == "window_disappear")
        return Render({{0, 0.25, 900, 300, T, 0.5}, {0.02, 0.25, 1800, 600, S, 0.2}}, 6);
    if (name == "level_begin")
        return Render(Arpeggio({60, 64, 67, 72, 76}, 0.09, 0.35, T), 7);
    if (name == "level_complete")
    {
        std::vector<Note> notes = Arpeggio({67, 72, 76, 79}, 0.11, 0.4, T);
        for (const double n : {72.0, 76.0, 79.0, 84.0})
            notes.push_back({0.45, 1.1, Midi(n), Midi(n), S, 0.35, 0.01, 2.0, 0.4});
        return Render(notes, 8);
    }
    if (name == "level_failed")
        return Render(Arpeggio({67, 63, 60, 55}, 0.18, 0.45, T), 9);
    if (name == "element_get")
        return Render({{0, 0.12, 500, 760, S, 0.6, 0.003, 1.5, 0.8}}, 10);
    if (name.rfind("element_put_", 0) == 0 && name != "element_put_bad")
    {
        // Each combo step sounds a scale step higher.
        const double step = std::stod(name.substr(12));
        const double pitch = Midi(64 + 2 * step);
        return Render({{0, 0.03, 900, 300, N, 0.4}, {0, 0.22, pitch, pitch * 0.98, T, 0.6, 0.002, 3.0, 0.5}}, 11);
    }
    if (name == "element_put_bad")
        return Render({{0, 0.28, 150, 130, Q, 0.5}, {0, 0.28, 155, 135, Q, 0.3}}, 12);
    if (name == "element_cancel")
        return Render({{0, 0.2, 700, 350, T, 0.5}}, 13);
    if (name == "bonus_tip")
        return Render(Arpeggio({84, 88, 91}, 0.06, 0.3, S), 14);
    if (name == "bonus_magnet")
        return Render({{0, 0.4, 220, 330, S, 0.6, 0.01, 1.5, 3.0}}, 15);
    if (name == "bonus_tip_apply")
        return Render(Arpeggio({88, 91, 96, 100, 103}, 0.05, 0.25, S), 16);
    if (name == "bonus_magnet_apply")
        return Render({{0, 0.5, 180, 520, S, 0.6, 0.01, 0.5, 4.0}}, 17);
    if (name == "bonus_pause_apply")
        return Render(Arpeggio({76, 69}, 0.18, 0.35, T), 18);
    if (name == "bonus_rollback_apply")
        return Render({{0, 0.45, 1200, 250, T, 0.5, 0.01, 0.5, 1.5}}, 19);
    if (name == "path_introduction_end")
        return Render({{0, 0.35, 120, 50, S, 0.8}, {0, 0.08, 900, 200, N, 0.4}}, 20);
    if (name == "path_warning")
        return Render({{0, 0.16, 880, 880, Q, 0.4}, {0.22, 0.16, 880, 880, Q, 0.4}}, 21);
    if (name == "totem_flip")
        return Render({{0, 0.09, 420, 380, T, 0.6, 0.001, 2.7, 1.2}, {0, 0.02, 3000, 1500, N, 0.3}}, 22);
    if (name == "totem_complete")
    {
        std::vector<Note> notes;
        for (const double n : {60.0, 67.0, 72.0, 76.0, 79.0})
            notes.push_back({0, 1.4, Midi(n), Midi(n), S, 0.3, 0.002, 3.5, 0.9});
        return Render(notes, 23);
    }
    if (name == "upgrade")
        return Render(Arpeggio({72, 76, 79, 84, 88}, 0.07, 0.5, T), 24);
    // The loops.
    if (name == "volume_slider")
        return Loop(0.4, {{440, 0.5}, {880, 0.2}}, 4);
    if (name == "charge_score")
        return Loop(0.5, {{1320, 0.4}, {1980, 0.2}}, 10);
    if (name == "charge_path_score")
        return Loop(0.5, {{990, 0.4}, {1485, 0.2}}, 8);
    if (name == "path_introduction")
        return Loop(1.0, {{55, 0.6}, {110, 0.3}, {165, 0.1}}, 4, 0.8);
    if (name == "path_begin")
        return Loop(1.0, {{82.5, 0.6}, {165, 0.3}, {247.5, 0.15}}, 6, 0.6);
    if (name == "path_end")
        return Loop(0.6, {{110, 0.6}, {220, 0.3}, {330, 0.2}}, 8, 0.6);
    throw std::runtime_error("no recipe for the sound " + name);
}

// A looping track from a seed: a chord progression with pads, a bass on the
// strong beats, a melody walking the scale, and light percussion. Every note
// dies away within its own time, so the track ends in the silence it starts in.
std::vector<double> Music(std::uint32_t seed, double tempo, double key, bool minor)
{
    constexpr int Bars = 16;
    const double beat = 60.0 / tempo;
    const double seconds = Bars * 4 * beat;
    const auto frames = static_cast<std::size_t>(seconds * Rate);
    std::vector<double> buffer(frames * 2, 0.0);
    Noise noise(seed);
    Noise choice(seed + 100);
    const std::vector<int> major = {0, 2, 4, 5, 7, 9, 11};
    const std::vector<int> minorScale = {0, 2, 3, 5, 7, 8, 10};
    const std::vector<int>& scale = minor ? minorScale : major;
    const std::vector<std::vector<int>> progressions = {{0, 4, 5, 3}, {0, 5, 3, 4}, {5, 3, 0, 4}, {0, 3, 4, 4}};
    const std::vector<int>& progression =
        progressions[static_cast<std::size_t>((choice.Next() + 1.0) * 0.5 * 3.999)];
    const auto degree = [&](int step) {
        const int octave = step >= 0 ? step / 7 : -((-step + 6) / 7);
        const int index = step - octave * 7;
        return key + 12.0 * octave + scale[static_cast<std::size_t>(index)];
    };
    int melody = 7;
    for (int bar = 0; bar < Bars; ++bar)
    {
        const int root = progression[static_cast<std::size_t>(bar % 4)];
        const double barStart = bar * 4 * beat;
        // The pad: the chord's three notes across the bar.
        for (const int third : {0, 2, 4})
        {
            const double pitch = Midi(degree(root + third));
            AddNote(buffer, 2, {barStart, 4 * beat * 0.98, pitch, pitch, Wave::Triangle, 0.12, 0.3}, 0.3 * (third - 2) / 2,
                    noise);
        }
        // The bass on beats one and three.
        for (const int at : {0, 2})
        {
            const double pitch = Midi(degree(root) - 24);
            AddNote(buffer, 2, {barStart + at * beat, 2 * beat * 0.95, pitch, pitch, Wave::Sine, 0.35, 0.01, 2.0, 0.7},
                    0.0, noise);
        }
        // The melody in eighths, resting now and then, near the chord.
        for (int eighth = 0; eighth < 8; ++eighth)
        {
            const double roll = choice.Next();
            if (roll < -0.5)
                continue;
            melody += roll > 0.6 ? 2 : roll > 0.2 ? 1 : roll > -0.1 ? -1 : -2;
            melody = std::clamp(melody, 4, 12);
            const double pitch = Midi(degree(melody));
            const double length = (eighth % 2 == 0 ? 1.0 : 0.5) * beat * 0.9;
            AddNote(buffer, 2, {barStart + eighth * beat / 2, length, pitch, pitch, Wave::Sine, 0.18, 0.01, 2.0, 0.5},
                    -0.25, noise);
        }
        // A soft kick on one and three, hats on the off-beats.
        for (int at = 0; at < 4; ++at)
        {
            if (at % 2 == 0)
                AddNote(buffer, 2, {barStart + at * beat, 0.18, 110, 45, Wave::Sine, 0.4, 0.002}, 0.0, noise);
            AddNote(buffer, 2, {barStart + (at + 0.5) * beat, 0.05, 7000, 5000, Wave::Noise, 0.08, 0.001}, 0.35,
                    noise);
        }
    }
    return buffer;
}

struct Track
{
    std::uint32_t seed;
    double tempo;
    double key;
    bool minor;
};

const std::map<std::string, Track>& Tracks()
{
    static const std::map<std::string, Track> tracks = {
        {"menu", {31, 84, 60, false}},
        {"game0", {47, 100, 62, false}},
        {"game1", {59, 96, 57, true}},
    };
    return tracks;
}

} // namespace

const std::vector<DataSound>& DataSounds::Sounds()
{
    static const std::vector<DataSound> sounds = {
        {"menu", "button_select_0", false, false},  {"menu", "button_select_1", false, false},
        {"menu", "button_click", false, false},     {"menu", "edit_box_print", false, false},
        {"music", "menu", true, true},              {"music", "game0", true, true},
        {"music", "game1", true, true},             {"menu", "volume_slider", true, false},
        {"menu", "upgrade", false, true},           {"menu", "window_appear", false, false},
        {"menu", "window_disappear", false, false}, {"menu", "charge_score", true, false},
        {"game", "level_begin", false, false},      {"game", "level_complete", false, false},
        {"game", "level_failed", false, false},     {"game", "element_get", false, false},
        {"game", "element_put_0", false, false},    {"game", "element_put_1", false, false},
        {"game", "element_put_2", false, false},    {"game", "element_put_3", false, false},
        {"game", "element_put_4", false, false},    {"game", "element_put_bad", false, false},
        {"game", "element_cancel", false, false},   {"game", "bonus_tip", false, false},
        {"game", "bonus_magnet", false, false},     {"game", "bonus_tip_apply", false, false},
        {"game", "bonus_magnet_apply", false, false}, {"game", "bonus_pause_apply", false, false},
        {"game", "bonus_rollback_apply", false, false}, {"game", "path_introduction", true, false},
        {"game", "path_introduction_end", false, false}, {"game", "path_begin", true, false},
        {"game", "path_end", true, false},          {"game", "path_warning", false, false},
        {"game", "charge_path_score", true, false}, {"game", "totem_flip", false, false},
        {"game", "totem_complete", false, false},
    };
    return sounds;
}

std::string DataSounds::DataName(const DataSound& sound)
{
    return std::string("data\\audio\\") + sound.group + "\\" + sound.name + (sound.ogg ? ".ogg" : ".wav");
}

std::vector<std::int16_t> DataSounds::Samples(const DataSound& sound)
{
    const auto track = Tracks().find(sound.name);
    if (std::string(sound.group) == "music" && track != Tracks().end())
        return ToSamples(Music(track->second.seed, track->second.tempo, track->second.key, track->second.minor), 0.8);
    return ToSamples(Effect(sound.name), 0.8);
}

std::string DataSounds::Make(const DataSound& sound)
{
    const std::vector<std::int16_t> samples = Samples(sound);
    const std::uint32_t channels = std::string(sound.group) == "music" ? 2 : 1;
    if (!sound.ogg)
    {
        WavFormat format;
        format.channels = static_cast<std::uint16_t>(channels);
        format.rate = Rate;
        return WavWriter::Simple(format, Samples16(samples));
    }
    std::string bytes = EncodeOggVorbis(samples, channels, Rate, 0.2f);
    if (bytes.empty())
        throw std::runtime_error(DataName(sound) + ": the encoder refused the sound");
    return bytes;
}

void DataSounds::Stage(DataStaging& staging)
{
    for (const DataSound& sound : Sounds())
        staging.Write(DataName(sound), Make(sound));
}

} // namespace corvellan::content
