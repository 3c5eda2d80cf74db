// The background music. The tune playing is kept here alone, so the one a new
// tune replaces is always freed, and only after the new one has taken over.
#include "view/music.h"

#include <cstdlib>
#include <string>

#include "files/paths.h"
#include "view/canvas.h"

namespace {

MIDI* playing = nullptr;

}  // namespace

int randomInt(int low, int count) { return low + (std::rand() % count); }

const char* tuneFileName(int number) {
    static const char* const names[tuneCount] = {
        "music\\1.mid", "music\\2.mid", "music\\3.mid", "music\\4.mid", "music\\5.mid",
        "music\\6.mid", "music\\7.mid", "music\\8.mid", "music\\9.mid", "music\\10.mid",
    };
    if (number < 1 || number > tuneCount) return nullptr;
    return names[number - 1];
}

void playRandomMusic() {
    int number = randomInt(1, tuneCount);
    textprintf_ex(canvas, font, 260, 144, makecol(255, 255, 255), -1, "Loading Music");
    presentCanvas();
    rest(100);
    MIDI* tune = load_midi(hostPath(tuneFileName(number)).c_str());
    clear_keybuf();
    play_midi(tune, TRUE);
    if (playing) destroy_midi(playing);
    playing = tune;
}

MIDI* currentTune() { return playing; }
