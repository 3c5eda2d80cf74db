// Choosing the window's scale.
#include "view/window_scale.h"

#include "view/resource_items.h"

namespace {

// What a desktop keeps for itself around a window: its frame at the sides,
// and above and below the title bar and the panels.
constexpr int frameRoom = 32;
constexpr int titleAndPanelRoom = 96;

}  // namespace

int scaleThatFits(int desktopWidth, int desktopHeight) {
    int scale = 1;
    while (scale < largestScale && screenWidth * (scale + 1) + frameRoom <= desktopWidth &&
           screenHeight * (scale + 1) + titleAndPanelRoom <= desktopHeight) {
        scale++;
    }
    return scale;
}

int nextScale(int scale, int fitting) { return scale < fitting && scale < largestScale ? scale + 1 : 1; }
