// The canvas and its way to the window: a plain copy at 1x, stretch_blit at
// whole multiples, which doubles pixels exactly. The pointer is drawn into the
// canvas just for the copy, over a saved patch that is put back after it.
#include "view/canvas.h"

#include <chrono>
#include <cstring>

#include "input/mouse_input.h"
#include "view/resource_items.h"

BITMAP* canvas = nullptr;

namespace {

int scaleNow = 1;
BITMAP* pointerPicture = nullptr;
BITMAP* underPointer = nullptr;
// The canvas as last presented, for the file selector's loop to compare with.
BITMAP* lastPresented = nullptr;
// True when something other than the selector's loop presented last, so the
// copy above says nothing about what the window shows.
bool lastPresentedStale = true;
std::chrono::steady_clock::time_point lastLook;

bool sameLines(BITMAP* a, BITMAP* b) {
    const size_t bytes = size_t(screenWidth) * size_t((bitmap_color_depth(a) + 7) / 8);
    for (int y = 0; y < screenHeight; y++) {
        if (std::memcmp(a->line[y], b->line[y], bytes) != 0) return false;
    }
    return true;
}

}  // namespace

bool openWindow(int scale) {
    // The plain window at 1x is the mode the library is surest of.
    const int card = scale == 1 ? GFX_SAFE : GFX_AUTODETECT_WINDOWED;
    if (set_gfx_mode(card, screenWidth * scale, screenHeight * scale, 0, 0) != 0) return false;
    scaleNow = scale;
    setPointerScale(scale);
    if (!canvas) {
        canvas = create_bitmap(screenWidth, screenHeight);
        clear_bitmap(canvas);
    }
    return canvas != nullptr;
}

int windowScale() { return scaleNow; }

void setPointerPicture(BITMAP* picture) {
    pointerPicture = picture;
    if (underPointer) destroy_bitmap(underPointer);
    underPointer = picture ? create_bitmap(picture->w, picture->h) : nullptr;
}

void presentCanvas() {
    const bool withPointer = pointer.shown && pointerPicture && underPointer;
    if (withPointer) {
        blit(canvas, underPointer, pointer.x, pointer.y, 0, 0, underPointer->w, underPointer->h);
        draw_sprite(canvas, pointerPicture, pointer.x, pointer.y);
    }
    acquire_screen();
    if (scaleNow == 1) {
        blit(canvas, screen, 0, 0, 0, 0, screenWidth, screenHeight);
    } else {
        stretch_blit(canvas, screen, 0, 0, screenWidth, screenHeight, 0, 0, screenWidth * scaleNow,
                     screenHeight * scaleNow);
    }
    release_screen();
    if (withPointer) blit(underPointer, canvas, 0, 0, pointer.x, pointer.y, underPointer->w, underPointer->h);
    lastPresentedStale = true;
}

void presentCanvasWhenChanged() {
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (now - lastLook < milliseconds(15)) return;
    lastLook = now;
    const bool pointerChanged = lookAtPointer();
    if (!lastPresented) lastPresented = create_bitmap(screenWidth, screenHeight);
    if (!lastPresented) return;
    if (!pointerChanged && !lastPresentedStale && sameLines(canvas, lastPresented)) return;
    blit(canvas, lastPresented, 0, 0, 0, 0, screenWidth, screenHeight);
    presentCanvas();
    lastPresentedStale = false;
}

namespace {

void (*scaleStepAction)() = nullptr;

}  // namespace

void setScaleStepAction(void (*action)()) { scaleStepAction = action; }

void stepWindowScale() {
    if (!scaleStepAction) return;
    scaleStepAction();
    presentCanvas();
}
