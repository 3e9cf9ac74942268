// Renders a list of band events (one per line, made by compose.py) into a
// 16-bit stereo WAV file at 44.1 kHz.
//
//   synth <events.txt> <out.wav> [raw]
//
// Event lines:  <instrument> <start s> <length s> <freq Hz> <velocity> <pan -1..1> [<extra>]
// Header lines: "length <s>" (total length before the reverb tail).
// Instruments: dum, tek (davul), kos, nakkare, zil, zurna, boru.
//
// Plain C++, no libraries: the generator must build anywhere with one g++ call.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;

struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) { next(); }
    uint64_t next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
    double uni() { return double(next() >> 11) / double(1ull << 53); }
    double bip() { return uni() * 2.0 - 1.0; }
};

// RBJ cookbook biquads, transposed direct form II.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, z1 = 0, z2 = 0;
    double run(double x)
    {
        double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

Biquad makeBiquad(double b0, double b1, double b2, double a0, double a1, double a2)
{
    Biquad q;
    q.b0 = b0 / a0;
    q.b1 = b1 / a0;
    q.b2 = b2 / a0;
    q.a1 = a1 / a0;
    q.a2 = a2 / a0;
    return q;
}

Biquad lowpass(double f, double q)
{
    f = std::min(f, kRate * 0.45);
    double w = 2 * kPi * f / kRate, c = std::cos(w), al = std::sin(w) / (2 * q);
    return makeBiquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + al, -2 * c, 1 - al);
}

Biquad highpass(double f, double q)
{
    double w = 2 * kPi * f / kRate, c = std::cos(w), al = std::sin(w) / (2 * q);
    return makeBiquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + al, -2 * c, 1 - al);
}

// Band-pass with 0 dB gain at the centre.
Biquad bandpass(double f, double q)
{
    f = std::min(f, kRate * 0.45);
    double w = 2 * kPi * f / kRate, c = std::cos(w), al = std::sin(w) / (2 * q);
    return makeBiquad(al, 0, -al, 1 + al, -2 * c, 1 - al);
}

// Band-limited step correction for the sawtooth and pulse oscillators.
double polyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

struct Event {
    std::string inst;
    double start = 0, length = 0, freq = 0, vel = 1, pan = 0, extra = 0;
};

// A stereo mix: the dry bus and the reverb send.
struct Mix {
    std::vector<float> l, r, sendL, sendR;
    explicit Mix(size_t n) : l(n), r(n), sendL(n), sendR(n) { }

    void add(long i, double v, double pan, double send)
    {
        if (i < 0 || size_t(i) >= l.size())
            return;
        double a = (pan + 1.0) * kPi / 4.0;
        double gl = std::cos(a), gr = std::sin(a);
        l[i] += float(v * gl);
        r[i] += float(v * gr);
        sendL[i] += float(v * gl * send);
        sendR[i] += float(v * gr * send);
    }
};

long sampleAt(double seconds) { return long(std::lround(seconds * kRate)); }

uint64_t seedOf(const Event& e)
{
    return uint64_t(e.start * 100000.0) ^ (uint64_t(e.freq * 10.0) << 20) ^ std::hash<std::string>()(e.inst);
}

// Davul, the big mallet side: a deep thud whose pitch falls as the skin settles.
void renderDum(const Event& e, Mix& mix)
{
    Rng rng(seedOf(e));
    double f0 = e.freq > 0 ? e.freq : 64.0;
    Biquad thumpLp = lowpass(1100, 0.7), skinBp = bandpass(210, 1.2);
    double ph1 = 0, ph2 = 0;
    long n0 = sampleAt(e.start), len = sampleAt(0.9);
    for (long n = 0; n < len; ++n) {
        double t = n / kRate;
        double f = f0 * (1.0 + 0.55 * std::exp(-t / 0.022));
        ph1 += 2 * kPi * f / kRate;
        ph2 += 2 * kPi * f * 1.58 / kRate;
        double body = std::sin(ph1) * std::exp(-t / 0.30) + 0.35 * std::sin(ph2) * std::exp(-t / 0.11);
        double noise = rng.bip();
        double thump = thumpLp.run(noise) * std::exp(-t / 0.010);
        double skin = skinBp.run(noise) * std::exp(-t / 0.07);
        double s = 1.35 * body + 1.5 * thump + 1.25 * skin;
        mix.add(n0 + n, e.vel * s, e.pan, 0.25);
    }
}

// Davul, the thin stick on the other head: a dry, bright crack.
void renderTek(const Event& e, Mix& mix)
{
    Rng rng(seedOf(e));
    Biquad crack = bandpass(2600, 1.3), head = bandpass(650, 2.0);
    long n0 = sampleAt(e.start), len = sampleAt(0.3);
    double f0 = e.freq > 0 ? e.freq : 185.0;
    for (long n = 0; n < len; ++n) {
        double t = n / kRate;
        double noise = rng.bip();
        double s = 1.8 * crack.run(noise) * std::exp(-t / 0.016)
            + 1.25 * head.run(noise) * std::exp(-t / 0.035)
            + 0.6 * std::sin(2 * kPi * f0 * t) * std::exp(-t / 0.06);
        mix.add(n0 + n, e.vel * s, e.pan, 0.3);
    }
}

// Kös, the great kettledrum: very low, long, with a rumble under it.
void renderKos(const Event& e, Mix& mix)
{
    Rng rng(seedOf(e));
    double f0 = e.freq > 0 ? e.freq : 41.0;
    Biquad rumble = lowpass(140, 0.8), strike = lowpass(700, 0.7);
    double p1 = 0, p2 = 0, p3 = 0;
    long n0 = sampleAt(e.start), len = sampleAt(2.6);
    for (long n = 0; n < len; ++n) {
        double t = n / kRate;
        double bend = 1.0 + 0.3 * std::exp(-t / 0.06);
        p1 += 2 * kPi * f0 * bend / kRate;
        p2 += 2 * kPi * f0 * 1.51 * bend / kRate;
        p3 += 2 * kPi * f0 * 1.99 * bend / kRate;
        double noise = rng.bip();
        double s = std::sin(p1) * std::exp(-t / 0.6) + 0.45 * std::sin(p2) * std::exp(-t / 0.35)
            + 0.2 * std::sin(p3) * std::exp(-t / 0.25) + 1.4 * rumble.run(noise) * std::exp(-t / 0.3)
            + 0.8 * strike.run(noise) * std::exp(-t / 0.014);
        double fadeEnd = std::min(1.0, (len - n) / (0.3 * kRate));
        mix.add(n0 + n, e.vel * s * fadeEnd, e.pan, 0.35);
    }
}

// Nakkare, the small paired kettledrums: a short, high, pitched tap.
void renderNakkare(const Event& e, Mix& mix)
{
    Rng rng(seedOf(e));
    double f0 = e.freq > 0 ? e.freq : 300.0;
    Biquad click = bandpass(1900, 1.4);
    double p1 = 0, p2 = 0;
    long n0 = sampleAt(e.start), len = sampleAt(0.35);
    for (long n = 0; n < len; ++n) {
        double t = n / kRate;
        double bend = 1.0 + 0.22 * std::exp(-t / 0.012);
        p1 += 2 * kPi * f0 * bend / kRate;
        p2 += 2 * kPi * f0 * 2.13 * bend / kRate;
        double s = 1.6 * std::sin(p1) * std::exp(-t / 0.075) + 0.55 * std::sin(p2) * std::exp(-t / 0.035)
            + 1.4 * click.run(rng.bip()) * std::exp(-t / 0.009);
        mix.add(n0 + n, e.vel * s, e.pan, 0.3);
    }
}

// Zil, a pair of cymbals clashed together: inharmonic partials and hiss.
// The event length is the decay time; a short one is a damped (choked) clash.
void renderZil(const Event& e, Mix& mix)
{
    constexpr int kPartials = 16;
    Rng shape(7); // one pair of cymbals for the whole band: the same partials every time
    Rng rng(seedOf(e));
    double decay = std::max(0.06, e.length);
    struct Partial { double inc, amp, tau, ph; } parts[kPartials];
    for (int k = 0; k < kPartials; ++k) {
        double pos = shape.uni();
        double f = 480.0 * std::pow(9800.0 / 480.0, pos) * (1.0 + 0.004 * rng.bip());
        parts[k] = { 2 * kPi * f / kRate, (0.5 + 0.5 * shape.uni()) / std::sqrt(1.0 + k * 0.4),
            decay * (1.05 - 0.7 * pos), rng.uni() * 2 * kPi };
    }
    Biquad hiss = highpass(3200, 0.7), hiss2 = highpass(3200, 0.7), body = bandpass(5200, 0.9);
    long n0 = sampleAt(e.start), len = sampleAt(decay * 3.2 + 0.05);
    for (long n = 0; n < len; ++n) {
        double t = n / kRate;
        double ring = 0;
        for (auto& p : parts) {
            p.ph += p.inc;
            ring += p.amp * std::sin(p.ph) * std::exp(-t / p.tau);
        }
        double noise = hiss2.run(hiss.run(rng.bip()));
        double s = 0.22 * ring + 0.8 * noise * std::exp(-t / (decay * 0.55)) + 0.7 * body.run(noise) * std::exp(-t / 0.006);
        double fadeEnd = std::min(1.0, (len - n) / (0.04 * kRate));
        mix.add(n0 + n, e.vel * s * fadeEnd, e.pan, 0.4);
    }
}

// Zurna: a double reed on a conical bore, loud and nasal. A band-limited
// sawtooth mixed with a narrow pulse gives the buzz, a bank of band-pass
// formants the nasal colour. A small scoop into each tongued note, vibrato
// on the long ones. extra = 1 marks a slurred note (no scoop, soft attack).
void renderZurna(const Event& e, Mix& mix)
{
    Rng rng(seedOf(e));
    bool slur = e.extra > 0.5;
    double attack = slur ? 0.006 : 0.014, release = 0.045;
    long n0 = sampleAt(e.start), len = sampleAt(e.length + release);
    Biquad f1 = bandpass(900, 1.6), f2 = bandpass(1500, 2.2), f3 = bandpass(2700, 2.6), f4 = bandpass(4000, 3.0);
    Biquad lowCut = highpass(520, 0.7), lowCut2 = highpass(520, 0.7), top = lowpass(7500, 0.7), breathBp = bandpass(3000, 1.0);
    double phase = rng.uni(), pulsePhase = phase;
    double vibPhase = rng.uni() * 2 * kPi, vibRate = 5.4 + 0.8 * rng.uni();
    double vibDepth = e.length > 0.5 ? 11.0 : 4.0;
    for (long n = 0; n < len; ++n) {
        double t = n / kRate;
        double cents = 0;
        if (!slur)
            cents -= 35.0 * std::exp(-t / 0.018);
        double vibOn = std::min(1.0, std::max(0.0, (t - 0.16) / 0.25));
        vibPhase += 2 * kPi * vibRate / kRate;
        cents += vibDepth * vibOn * std::sin(vibPhase);
        double f = e.freq * std::pow(2.0, cents / 1200.0);
        double dt = f / kRate;
        phase += dt;
        if (phase >= 1.0)
            phase -= 1.0;
        pulsePhase = phase + 0.28;
        if (pulsePhase >= 1.0)
            pulsePhase -= 1.0;
        double saw = 2.0 * phase - 1.0 - polyBlep(phase, dt);
        double saw2 = 2.0 * pulsePhase - 1.0 - polyBlep(pulsePhase, dt);
        double osc = 0.7 * saw + 0.45 * (saw - saw2); // saw plus a 28 % pulse
        double x = lowCut2.run(lowCut.run(osc));
        double shaped = 0.35 * f1.run(x) + 1.0 * f2.run(x) + 0.9 * f3.run(x) + 0.45 * f4.run(x) + 0.3 * x;
        double breath = breathBp.run(rng.bip()) * 0.05;
        double env;
        if (t < attack)
            env = t / attack;
        else if (t < e.length)
            env = 1.0 - 0.08 * std::min(1.0, (t - attack) / 1.5);
        else
            env = (1.0 - 0.08 * std::min(1.0, (e.length - attack) / 1.5)) * (1.0 - (t - e.length) / release);
        double s = top.run(shaped + breath) * env;
        mix.add(n0 + n, e.vel * 0.55 * s, e.pan, 0.3);
    }
}

// Boru: a valveless trumpet. Brightness follows the loudness, as in brass.
void renderBoru(const Event& e, Mix& mix)
{
    Rng rng(seedOf(e));
    double attack = 0.07, release = 0.16;
    long n0 = sampleAt(e.start), len = sampleAt(e.length + release);
    Biquad bell = bandpass(1150, 1.4), lowCut = highpass(150, 0.7);
    Biquad tone;
    double phase = rng.uni(), vibPhase = rng.uni() * 2 * kPi;
    for (long n = 0; n < len; ++n) {
        double t = n / kRate;
        double env;
        if (t < attack)
            env = std::sin(0.5 * kPi * t / attack);
        else if (t < e.length)
            env = 1.0 + 0.12 * std::min(1.0, (t - attack) / 0.8);
        else
            env = 1.12 * (1.0 - (t - e.length) / release);
        double cents = -45.0 * std::exp(-t / 0.03);
        vibPhase += 2 * kPi * 5.0 / kRate;
        cents += 7.0 * std::min(1.0, std::max(0.0, (t - 0.4) / 0.4)) * std::sin(vibPhase);
        double f = e.freq * std::pow(2.0, cents / 1200.0);
        double dt = f / kRate;
        phase += dt;
        if (phase >= 1.0)
            phase -= 1.0;
        double saw = 2.0 * phase - 1.0 - polyBlep(phase, dt);
        if ((n & 31) == 0) {
            double cutoff = f * (1.6 + 7.0 * std::min(1.0, env));
            Biquad fresh = lowpass(cutoff, 0.9);
            fresh.z1 = tone.z1;
            fresh.z2 = tone.z2;
            tone = fresh;
        }
        double x = tone.run(saw);
        double s = lowCut.run(0.8 * x + 0.6 * bell.run(x)) * env;
        mix.add(n0 + n, e.vel * 0.7 * s, e.pan, 0.4);
    }
}

// A small Schroeder-Moorer reverb (eight damped combs, four all-passes a side)
// for the open-air echo of a band on parade.
struct Reverb {
    struct Comb {
        std::vector<float> buf;
        size_t i = 0;
        float store = 0;
        float run(float x, float feedback, float damp)
        {
            float y = buf[i];
            store = y * (1 - damp) + store * damp;
            buf[i] = x + store * feedback;
            if (++i == buf.size())
                i = 0;
            return y;
        }
    };
    struct Allpass {
        std::vector<float> buf;
        size_t i = 0;
        float run(float x)
        {
            float b = buf[i];
            buf[i] = x + b * 0.5f;
            if (++i == buf.size())
                i = 0;
            return b - x;
        }
    };
    std::vector<Comb> combs[2];
    std::vector<Allpass> alls[2];
    Reverb()
    {
        const int combLen[] = { 1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617 };
        const int allLen[] = { 556, 441, 341, 225 };
        for (int ch = 0; ch < 2; ++ch) {
            for (int c : combLen)
                combs[ch].push_back(Comb { std::vector<float>(size_t(c + ch * 23)), 0, 0 });
            for (int a : allLen)
                alls[ch].push_back(Allpass { std::vector<float>(size_t(a + ch * 23)), 0 });
        }
    }
    void process(const std::vector<float>& inL, const std::vector<float>& inR, std::vector<float>& outL, std::vector<float>& outR)
    {
        const float feedback = 0.80f, damp = 0.35f, gain = 0.015f;
        for (size_t n = 0; n < inL.size(); ++n) {
            float x = (inL[n] + inR[n]) * gain;
            float y[2] = { 0, 0 };
            for (int ch = 0; ch < 2; ++ch) {
                for (auto& c : combs[ch])
                    y[ch] += c.run(x, feedback, damp);
                for (auto& a : alls[ch])
                    y[ch] = a.run(y[ch]);
            }
            // A little width: each side hears some of the other.
            outL[n] += 0.85f * y[0] + 0.15f * y[1];
            outR[n] += 0.85f * y[1] + 0.15f * y[0];
        }
    }
};

// Lookahead peak limiter: the gain falls ahead of a peak and recovers slowly,
// so drum strokes stay under the ceiling without audible clipping.
void limit(std::vector<float>& l, std::vector<float>& r, double ceiling)
{
    const long look = sampleAt(0.004);
    const double release = std::exp(-1.0 / (0.12 * kRate));
    size_t n = l.size();
    std::vector<float> need(n, 1.0f);
    for (size_t i = 0; i < n; ++i) {
        double p = std::max(std::fabs(l[i]), std::fabs(r[i]));
        need[i] = float(p > ceiling ? ceiling / p : 1.0);
    }
    // Minimum over the lookahead window, then smooth: fast down, slow up.
    std::vector<float> target(n, 1.0f);
    {
        std::vector<size_t> dq; // indices, increasing need
        size_t head = 0;
        for (size_t i = 0; i < n + size_t(look); ++i) {
            if (i < n) {
                while (dq.size() > head && need[dq.back()] >= need[i])
                    dq.pop_back();
                dq.push_back(i);
            }
            if (i >= size_t(look)) {
                size_t out = i - size_t(look);
                while (dq[head] < out)
                    ++head;
                target[out] = need[dq[head]];
            }
        }
    }
    double g = 1.0;
    const double attackStep = 1.0 / double(look);
    for (size_t i = 0; i < n; ++i) {
        double t = target[i];
        if (t < g)
            g = std::max(t, g - attackStep);
        else
            g = t + (g - t) * release;
        // The smoothed gain may lag a sudden peak by a few samples: never exceed.
        double p = std::max(std::fabs(l[i]), std::fabs(r[i])) * g;
        double gg = p > ceiling ? g * ceiling / p : g;
        l[i] = float(l[i] * gg);
        r[i] = float(r[i] * gg);
    }
}

void writeWav(const std::string& path, const std::vector<float>& l, const std::vector<float>& r)
{
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    uint32_t frames = uint32_t(l.size()), data = frames * 4;
    out.write("RIFF", 4);
    u32(36 + data);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(data);
    std::vector<int16_t> pcm(size_t(frames) * 2);
    for (size_t i = 0; i < frames; ++i) {
        pcm[2 * i] = int16_t(std::lround(std::clamp(l[i], -1.0f, 1.0f) * 32767.0f));
        pcm[2 * i + 1] = int16_t(std::lround(std::clamp(r[i], -1.0f, 1.0f) * 32767.0f));
    }
    out.write(reinterpret_cast<const char*>(pcm.data()), std::streamsize(pcm.size() * 2));
}

} // namespace

int main(int argc, char** argv)
{
    // "raw" leaves out the level setting and the limiter: for comparing stems.
    bool raw = argc == 4 && std::string(argv[3]) == "raw";
    if (argc != 3 && !raw) {
        std::fprintf(stderr, "usage: synth <events.txt> <out.wav> [raw]\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "synth: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<Event> events;
    double length = 0;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream ss(line);
        Event e;
        ss >> e.inst;
        if (e.inst == "length") {
            ss >> length;
            continue;
        }
        if (!(ss >> e.start >> e.length >> e.freq >> e.vel >> e.pan)) {
            std::fprintf(stderr, "synth: bad event on line %d\n", lineNo);
            return 1;
        }
        ss >> e.extra;
        events.push_back(e);
        length = std::max(length, e.start + e.length);
    }
    const double tail = 5.0; // room for the last kös and zil to ring out
    Mix mix(size_t(sampleAt(length + tail)));
    for (const Event& e : events) {
        if (e.inst == "dum")
            renderDum(e, mix);
        else if (e.inst == "tek")
            renderTek(e, mix);
        else if (e.inst == "kos")
            renderKos(e, mix);
        else if (e.inst == "nakkare")
            renderNakkare(e, mix);
        else if (e.inst == "zil")
            renderZil(e, mix);
        else if (e.inst == "zurna")
            renderZurna(e, mix);
        else if (e.inst == "boru")
            renderBoru(e, mix);
        else {
            std::fprintf(stderr, "synth: unknown instrument %s\n", e.inst.c_str());
            return 1;
        }
    }
    Reverb().process(mix.sendL, mix.sendR, mix.l, mix.r);

    // Rumble filter, then set the level by loudness (RMS), then limit the peaks.
    Biquad hpL = highpass(28, 0.7), hpR = highpass(28, 0.7);
    double sum = 0;
    for (size_t i = 0; i < mix.l.size(); ++i) {
        mix.l[i] = float(hpL.run(mix.l[i]));
        mix.r[i] = float(hpR.run(mix.r[i]));
        sum += double(mix.l[i]) * mix.l[i] + double(mix.r[i]) * mix.r[i];
    }
    double rms = std::sqrt(sum / (2.0 * mix.l.size()));
    double gain = raw ? 0.25 : rms > 0 ? std::pow(10.0, -18.0 / 20.0) / rms : 1.0;
    for (size_t i = 0; i < mix.l.size(); ++i) {
        mix.l[i] *= float(gain);
        mix.r[i] *= float(gain);
    }
    if (!raw)
        limit(mix.l, mix.r, std::pow(10.0, -2.5 / 20.0)); // room for the encoder's overshoot

    // A few milliseconds of fade at both ends against clicks.
    long fadeIn = sampleAt(0.005), fadeOut = sampleAt(0.02), n = long(mix.l.size());
    for (long i = 0; i < fadeIn && i < n; ++i) {
        mix.l[i] *= float(i) / fadeIn;
        mix.r[i] *= float(i) / fadeIn;
    }
    for (long i = 0; i < fadeOut && i < n; ++i) {
        mix.l[n - 1 - i] *= float(i) / fadeOut;
        mix.r[n - 1 - i] *= float(i) / fadeOut;
    }
    writeWav(argv[2], mix.l, mix.r);
    return 0;
}
