// Plays one tune through the library's software synthesizer with the game's
// allegro.cfg (found through $ALLEGRO), for a given time; or measures a
// capture of what was played. The capture test runs it under Xvfb with ALSA
// writing to a file, since this kind of machine has no sound card.
//   tune_player play TUNE.mid SECONDS
//   tune_player measure CAPTURE.raw
#include <allegro.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "midi_reading.h"

namespace {

int play(const char* tunePath, double seconds) {
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        std::fprintf(stderr, "tune_player: no system driver (is DISPLAY set?)\n");
        return 1;
    }
    install_timer();
    // Fragments of 10 ms keep the file capture in step with the clock.
    static char override[] = "[sound]\nalsa_fragsize = 441\n";
    override_config_data(override, int(sizeof override - 1));
    if (install_sound(DIGI_AUTODETECT, MIDI_DIGMID, nullptr) != 0) {
        std::fprintf(stderr, "tune_player: DIGMID did not start: %s\n", allegro_error);
        return 1;
    }
    MIDI* tune = load_midi(tunePath);
    if (!tune || play_midi(tune, TRUE) != 0) {
        std::fprintf(stderr, "tune_player: cannot play %s\n", tunePath);
        return 1;
    }
    rest(unsigned(seconds * 1000));
    stop_midi();
    destroy_midi(tune);
    remove_sound();
    return 0;
}

// 16-bit unsigned little-endian stereo at 44,100 Hz: the loudness of every
// tenth of a second after the first sound, and the peak.
int measure(const char* capturePath) {
    std::vector<uint8_t> bytes = readFileBytes(capturePath);
    std::vector<double> samples;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) samples.push_back(double(bytes[i] | bytes[i + 1] << 8) - 32768.0);
    size_t first = 0;
    while (first < samples.size() && std::fabs(samples[first]) < 64) first++;
    const size_t window = 2 * 4410;
    int windows = 0, sounding = 0;
    double peak = 0.0, total = 0.0;
    for (size_t start = first; start + window <= samples.size(); start += window) {
        double sum = 0.0;
        for (size_t i = start; i < start + window; i++) {
            sum += samples[i] * samples[i];
            peak = std::max(peak, std::fabs(samples[i]));
        }
        double rms = std::sqrt(sum / window);
        total += sum;
        windows++;
        if (rms > 300.0) sounding++;
    }
    double rms = windows ? std::sqrt(total / (double(windows) * window)) : 0.0;
    std::printf("%.2f s captured, sound from %.2f s, rms %.0f, peak %.0f, %d of %d tenths sounding\n",
                double(samples.size()) / 2 / 44100, double(first) / 2 / 44100, rms, peak, sounding, windows);
    // Music all the way through, and never clipped.
    bool audible = windows >= 8 && sounding >= windows * 9 / 10 && rms > 600.0 && peak < 32000.0;
    return audible ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "play" && argc == 4) return play(argv[2], std::atof(argv[3]));
    if (mode == "measure" && argc == 3) return measure(argv[2]);
    std::fprintf(stderr, "usage: tune_player play TUNE.mid SECONDS | tune_player measure CAPTURE.raw\n");
    return 2;
}
END_OF_MAIN()
