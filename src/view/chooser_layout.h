// Where the parts of the level chooser stand on its 640x480 picture. The
// picture painted at build time (the brick wall, the heading strip, a wooden
// frame for each level and the key line) and the chooser drawing over it in
// the game place everything by these numbers.
#pragma once

// A page is a grid of levels, read left to right, top to bottom.
constexpr int chooserColumns = 3;
constexpr int chooserRows = 3;
constexpr int chooserPageLevels = chooserColumns * chooserRows;

// The dark strip along the top holding the collection's name; its gold rule
// is its last row.
constexpr int chooserHeadingBottom = 43;
// The dark strip along the bottom holding the key line; its gold rule is its first row.
constexpr int chooserKeysTop = 440;

// Each level stands in a box: a wooden frame around a dark well that holds
// its number and title, its picture and its best figures.
constexpr int chooserBoxWidth = 200;
constexpr int chooserBoxHeight = 122;
constexpr int chooserGridLeft = 10;
constexpr int chooserGridTop = 50;
constexpr int chooserBoxGapX = 10;
constexpr int chooserBoxGapY = 8;
// The wood around the well.
constexpr int chooserFrameWidth = 6;

// Within a box, from its top-left corner: the line with the number and the
// title, the area the level's picture is fitted into, the line with the best
// figures, and the centre of the solved mark at the right end of the first line.
constexpr int chooserTitleX = 11;
constexpr int chooserTitleY = 10;
constexpr int chooserPictureX = 10;
constexpr int chooserPictureY = 21;
constexpr int chooserPictureWidth = 180;
constexpr int chooserPictureHeight = 80;
constexpr int chooserFiguresY = 105;
constexpr int chooserMarkX = 183;
constexpr int chooserMarkY = 13;

// The top-left corner of the box in place `slot` of the page, from 0.
constexpr int chooserBoxLeft(int slot) {
    return chooserGridLeft + (slot % chooserColumns) * (chooserBoxWidth + chooserBoxGapX);
}
constexpr int chooserBoxTop(int slot) {
    return chooserGridTop + (slot / chooserColumns) * (chooserBoxHeight + chooserBoxGapY);
}

// The cursor's frame is drawn this far out around the chosen box, in the
// gap between the boxes.
constexpr int chooserCursorReach = 4;
