// The four sounds, synthesised: a bell-like start-up jingle, a blip, a swish and a click.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "pictures.h"

namespace assetgen {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

std::vector<double> silence(double seconds) {
  return std::vector<double>(static_cast<size_t>(seconds * kSampleRate), 0.0);
}

// A soft bell: a few harmonics with their own decays, a short attack.
void addBell(std::vector<double>& out, double start, double freq, double length, double gain) {
  const size_t first = static_cast<size_t>(start * kSampleRate);
  const size_t count = static_cast<size_t>(length * kSampleRate);
  for (size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double attack = std::min(1.0, t / 0.006);
    const double release = std::min(1.0, (length - t) / 0.03);
    const double v = std::sin(kTwoPi * freq * t) * std::exp(-t * 3.5) +
                     0.35 * std::sin(kTwoPi * freq * 2 * t) * std::exp(-t * 7.0) +
                     0.12 * std::sin(kTwoPi * freq * 3.01 * t) * std::exp(-t * 12.0);
    out[first + i] += gain * attack * release * v;
  }
}

// Keeps a sound clear of clipping and ends it at silence.
void finish(std::vector<double>& s, double peak) {
  double m = 1e-9;
  for (double v : s) m = std::max(m, std::abs(v));
  for (double& v : s) v *= peak / m;
  const size_t fade = std::min<size_t>(s.size(), kSampleRate / 200);
  for (size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= static_cast<double>(i) / fade;
  const size_t attack = std::min<size_t>(s.size(), kSampleRate / 2000);  // no pop at the start
  for (size_t i = 0; i < attack; ++i) s[i] *= static_cast<double>(i) / attack;
}

// White noise from a small deterministic generator.
class Noise {
 public:
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
  }

 private:
  uint32_t state_ = 12345;
};

}  // namespace

std::vector<double> splashSound() {
  // C major arpeggio up to the octave, then a chord that rings out.
  std::vector<double> s = silence(1.35);
  const double notes[] = {523.25, 659.25, 783.99, 1046.5};
  for (int i = 0; i < 4; ++i) addBell(s, 0.12 * i, notes[i], 0.6, 0.5);
  for (double f : {523.25, 659.25, 783.99, 1046.5}) addBell(s, 0.55, f, 0.8, 0.3);
  addBell(s, 0.55, 261.63, 0.8, 0.25);
  finish(s, 0.7);
  return s;
}

std::vector<double> moveSound() {
  // A short rising blip.
  std::vector<double> s = silence(0.08);
  double phase = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double freq = 700 + 5000 * t;
    phase += kTwoPi * freq / kSampleRate;
    const double env = std::min(1.0, t / 0.004) * std::exp(-t * 30);
    s[i] = env * (std::sin(phase) + 0.2 * std::sin(2 * phase));
  }
  finish(s, 0.5);
  return s;
}

std::vector<double> turnSound() {
  // A swish: noise through a resonant filter sweeping downwards, swelling and fading.
  std::vector<double> s = silence(0.14);
  Noise noise;
  double low = 0, band = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double centre = 3400 - 16000 * t;
    const double f = 2 * std::sin(std::numbers::pi * std::max(300.0, centre) / kSampleRate);
    const double q = 0.35;
    const double high = noise.next() - low - q * band;
    band += f * high;
    low += f * band;
    const double env = std::sin(std::numbers::pi * std::min(1.0, t / 0.14));
    s[i] = band * env * env;
  }
  finish(s, 0.45);
  return s;
}

std::vector<double> kashaSound() {
  // "Ka": a sharp tick; "sha": a short bright hiss right after it.
  std::vector<double> s = silence(0.14);
  Noise noise;
  double prev = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double n = noise.next();
    const double bright = n - prev;  // a simple high-pass
    prev = n;
    double v = 0;
    v += std::exp(-t * 900) * (0.8 * std::sin(kTwoPi * 2200 * t) + 0.6 * bright);
    const double t2 = t - 0.03;
    if (t2 > 0) v += 0.5 * bright * std::min(1.0, t2 / 0.004) * std::exp(-t2 * 45);
    s[i] = v;
  }
  finish(s, 0.6);
  return s;
}

}  // namespace assetgen
