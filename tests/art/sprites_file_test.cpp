// sprites.dat as the game loads it: the board's pictures at every cell size,
// each kind plain to tell from the others on the board, painted hard-edged in
// the board's own colours, and the mouse pointer.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "art/art.h"
#include "picture_checks.h"
#include "view/resource_items.h"

namespace {

// What a cell of the board can show, built as the board draws it: the floor,
// then a target, a box or the figure over it.
std::vector<BITMAP*> cellLooks(int sizeIndex) {
    const int size = cellSizes[sizeIndex];
    auto sprite = [&](SpriteItem kind) { return spritePicture(spriteItem(sizeIndex, kind)); };
    const std::vector<std::vector<SpriteItem>> layers = {
        {spriteFloor}, {spriteWall}, {spriteFloor, spriteTarget}, {spriteFloor, spriteBox},
        {spriteFloor, spriteTarget, spriteBox}, {spriteFloor, spritePlayerDown}, {spriteFloor, spritePlayerUp},
        {spriteFloor, spritePlayerLeft}, {spriteFloor, spritePlayerRight}};
    std::vector<BITMAP*> looks;
    for (const auto& cell : layers) {
        BITMAP* look = create_bitmap_ex(16, size, size);
        blit(sprite(cell[0]), look, 0, 0, 0, 0, size, size);
        for (size_t i = 1; i < cell.size(); i++) draw_sprite(look, sprite(cell[i]), 0, 0);
        looks.push_back(look);
    }
    return looks;
}

}  // namespace

TEST(SpritesFile, HoldsEveryKindAtEveryCellSizeAndThePointer) {
    DATAFILE* items = sprites();
    ASSERT_NE(items, nullptr) << "sprites.dat does not load";
    int count = 0;
    while (items[count].type != DAT_END) count++;
    ASSERT_EQ(count, spritesFileItems);
    for (int i = 0; i < count; i++) ASSERT_EQ(items[i].type, DAT_BITMAP) << "item " << i;
    EXPECT_EQ(spriteItem(0, spritePlayerUp), spritePlayerUp) << "the 32-pixel set keeps its numbers";
    for (int size = 0; size < cellSizeCount; size++) {
        for (int kind = 0; kind < spriteItemCount; kind++) {
            BITMAP* picture = spritePicture(spriteItem(size, SpriteItem(kind)));
            EXPECT_EQ(picture->w, cellSizes[size]) << "kind " << kind << " at " << cellSizes[size];
            EXPECT_EQ(picture->h, cellSizes[size]) << "kind " << kind << " at " << cellSizes[size];
        }
    }
    BITMAP* pointer = spritePicture(spritePointer);
    EXPECT_EQ(pointer->w, pointerWidth);
    EXPECT_EQ(pointer->h, pointerHeight);
}

TEST(SpritesFile, AtEverySizeEachCellLooksUnlikeEveryOther) {
    // Walls, floor, targets, boxes off and on targets and the figure's four
    // facings: no two may be nearly alike, down to the 8-pixel cell.
    ASSERT_NE(sprites(), nullptr);
    for (int sizeIndex = 0; sizeIndex < cellSizeCount; sizeIndex++) {
        const int size = cellSizes[sizeIndex];
        std::vector<BITMAP*> looks = cellLooks(sizeIndex);
        for (size_t a = 0; a < looks.size(); a++) {
            for (size_t b = a + 1; b < looks.size(); b++) {
                int differing = 0;
                for (int y = 0; y < size; y++) {
                    for (int x = 0; x < size; x++) differing += getpixel(looks[a], x, y) != getpixel(looks[b], x, y);
                }
                EXPECT_GT(differing, size * size / 20) << "looks " << a << " and " << b << " at " << size;
            }
        }
        for (BITMAP* look : looks) destroy_bitmap(look);
    }
}

TEST(SpritesFile, SmallerPicturesAreHardEdgedInTheBoardsColours) {
    // A picture shrunk or smoothed would show in-between colours, and pinkish
    // pixels where its edge met the see-through magenta.
    std::set<int> palette;
    for (int colour : boardPalette()) palette.insert(ink16(colour));
    std::vector<int> items = {spritePointer};
    for (int size = 1; size < cellSizeCount; size++) {
        for (int kind = 0; kind < spriteItemCount; kind++) items.push_back(spriteItem(size, SpriteItem(kind)));
    }
    for (int item : items) {
        BITMAP* picture = spritePicture(item);
        const int mask = bitmap_mask_color(picture);
        int strays = 0;
        for (int y = 0; y < picture->h; y++) {
            for (int x = 0; x < picture->w; x++) {
                int colour = getpixel(picture, x, y);
                strays += colour != mask && !palette.count(colour);
            }
        }
        EXPECT_EQ(strays, 0) << "item " << item;
    }
    for (int kind = 0; kind < spriteItemCount; kind++) {
        BITMAP* picture = spritePicture(kind);
        for (int y = 0; y < picture->h; y++) {
            for (int x = 0; x < picture->w; x++) {
                int colour = getpixel(picture, x, y);
                bool pinkish = getr16(colour) > 160 && getb16(colour) > 160 && getg16(colour) < 100;
                EXPECT_FALSE(pinkish && colour != bitmap_mask_color(picture)) << "item " << kind << " at " << x << ","
                                                                               << y;
            }
        }
    }
}

TEST(SpritesFile, PointerIsALightArrowOutlinedDarkWithItsTipAtTheCorner) {
    BITMAP* pointer = spritePicture(spritePointer);
    const int mask = bitmap_mask_color(pointer);
    auto brightness = [](int colour) { return (getr16(colour) + getg16(colour) + getb16(colour)) / 3; };
    ASSERT_NE(getpixel(pointer, 0, 0), mask) << "the tip is where the pointer points";
    EXPECT_LT(brightness(getpixel(pointer, 0, 0)), 60);
    EXPECT_EQ(getpixel(pointer, pointer->w - 1, 0), mask);
    int light = 0, dark = 0;
    for (int y = 0; y < pointer->h; y++) {
        for (int x = 0; x < pointer->w; x++) {
            int colour = getpixel(pointer, x, y);
            if (colour == mask) continue;
            light += brightness(colour) > 180;
            dark += brightness(colour) < 60;
            // Nothing light touches the see-through: an outline goes all round.
            if (brightness(colour) > 180) {
                for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
                    EXPECT_NE(getpixel(pointer, x + dx, y + dy), mask) << x << "," << y;
                }
            }
        }
    }
    EXPECT_GT(light, 20);
    EXPECT_GT(dark, 20);
}
