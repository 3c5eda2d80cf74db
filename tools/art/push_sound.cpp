// The push sound: a soft, short wooden thud with a little scrape, shaped with
// a quick fade-in so it never clicks.
#include <cmath>

#include "art.h"
#include "paint.h"

std::vector<int16_t> synthesizePushSound() {
    const double seconds = 0.2;
    const int frames = int(pushSoundRate * seconds);
    std::vector<int16_t> out(size_t(frames), 0);
    uint32_t seed = 12345u;
    double phase = 0.0, smoothed = 0.0;
    for (int i = 0; i < frames; i++) {
        double t = double(i) / pushSoundRate;
        double attack = t < 0.006 ? t / 0.006 : 1.0;
        double tail = t > seconds - 0.03 ? (seconds - t) / 0.03 : 1.0;
        double pitch = 150.0 * std::exp(-t * 6.0) + 70.0;
        phase += 2.0 * M_PI * pitch / pushSoundRate;
        double thud = std::sin(phase) * std::exp(-t * 22.0);
        double raw = (noise(seed, 2001) - 1000) / 1000.0;
        smoothed += (raw - smoothed) * 0.08;  // a dull scrape, the noise low-passed
        double scrape = smoothed * 1.6 * std::exp(-t * 14.0);
        double value = (0.62 * thud + 0.38 * scrape) * attack * tail * 0.5;
        out[size_t(i)] = int16_t(std::lround(value * 32767.0));
    }
    return out;
}
