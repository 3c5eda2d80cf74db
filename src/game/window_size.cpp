// Choosing, opening and remembering the window's scale.
#include "game/window_size.h"

#include <allegro.h>

#include <cstdio>

#include "game/session.h"

#include "files/settings_file.h"
#include "view/canvas.h"
#include "view/resource_items.h"
#include "view/window_scale.h"

namespace {

// The largest scale the desktop holds, as measured before the first window.
int fittingScale = 1;

// Opens the window at the scale, or at 1x when that fails. True when a
// window is open.
bool openAtScale(int scale) {
    if (openWindow(scale)) return true;
    if (scale == 1) return false;
    std::fprintf(stderr, "boxyard: cannot open a window %d times the size (%dx%d): %s; playing at 1x\n", scale,
                 screenWidth * scale, screenHeight * scale, allegro_error);
    return openWindow(1);
}

}  // namespace

bool openGameWindow(int requested) {
    int width = 0, height = 0;
    if (get_desktop_resolution(&width, &height) == 0) fittingScale = scaleThatFits(width, height);
    int scale = requested;
    if (scale == 0) {
        const Settings settings = readSettingsFile();
        scale = settings.scale >= 1 && settings.scale <= fittingScale ? settings.scale : fittingScale;
    }
    return openAtScale(scale);
}

void stepGameWindow() {
    const int scale = nextScale(windowScale(), fittingScale);
    if (!openAtScale(scale)) {
        // The 1x window has opened before; without any the game cannot go on.
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
        showMessage(allegro_error);
        endGame(1);
    }
    const FileResult written = writeSettingsFile({windowScale()});
    if (!written) {
        std::fprintf(stderr, "boxyard: could not keep the window's size in %s (%s)\n", settingsPath().c_str(),
                     written.reason.c_str());
    }
}
