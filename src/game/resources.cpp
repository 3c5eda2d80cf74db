// The datafiles are checked once, right after loading, so that nothing later
// draws a missing picture or plays a bitmap as a sound.
#include "game/resources.h"

#include <string>

#include "view/resource_items.h"
#include "game/session.h"

namespace {

struct ItemNeed {
    int type;    // DAT_BITMAP or DAT_SAMPLE; 0 for any kind
    int width;   // for bitmaps: the least width and height
    int height;
};

bool itemFits(const DATAFILE& item, const ItemNeed& need) {
    if (need.type == 0) return true;
    if (item.type != need.type || item.dat == nullptr) return false;
    if (need.type == DAT_BITMAP) {
        const BITMAP* picture = static_cast<const BITMAP*>(item.dat);
        return picture->w >= need.width && picture->h >= need.height;
    }
    return true;
}

DATAFILE* loadChecked(const char* fileName, const ItemNeed* needs, int count) {
    DATAFILE* set = load_datafile(fileName);
    bool complete = set != nullptr;
    for (int i = 0; complete && i < count; i++) {
        complete = set[i].type != DAT_END && itemFits(set[i], needs[i]);
    }
    if (!complete) {
        std::string message = std::string("Unable to load ") + fileName;
        showMessage(message.c_str());
        endGame(1);
    }
    return set;
}

}  // namespace

DATAFILE* loadSpriteSet() {
    ItemNeed needs[spritesFileItems];
    for (int size = 0; size < cellSizeCount; size++) {
        for (int kind = 0; kind < spriteItemCount; kind++) {
            needs[spriteItem(size, SpriteItem(kind))] = {DAT_BITMAP, cellSizes[size], cellSizes[size]};
        }
    }
    needs[spritePointer] = {DAT_BITMAP, 1, 1};
    return loadChecked(spritesFileName, needs, spritesFileItems);
}

DATAFILE* loadScreenSet() {
    const ItemNeed full = {DAT_BITMAP, screenWidth, screenHeight};
    ItemNeed needs[screenItemCount];
    for (int i = 0; i < screenItemCount; i++) needs[i] = full;
    needs[screenMenuCursor] = {DAT_BITMAP, 1, 1};
    needs[screenPushSound] = {DAT_SAMPLE, 0, 0};
    return loadChecked(screensFileName, needs, screenItemCount);
}
