// The push sound, from data.dat.
#include "view/sounds.h"

#include "view/resource_items.h"

void playPushSound(DATAFILE* screens) {
    if (!screens) return;
    // Volume 255 and centre pan: the loudest values that keep the sound in
    // both channels.
    play_sample(static_cast<SAMPLE*>(screens[screenPushSound].dat), 255, 128, 1000, 0);
}
