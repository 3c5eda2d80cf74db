// The quick test after a push: the simple, certain ways a level is lost.
#pragma once

// True when the position in the Board can certainly no longer be won: boxes
// that no push can bring to a target, and boxes frozen against walls and each
// other, leave fewer box-on-target pairs possible than boxesToPlace. False
// whenever in doubt, so it never speaks of a position that can still be won.
bool isPositionLost();

struct Area;
struct Distances;
// The same test on the area and distances already built from the Board.
bool isAreaLost(const Area& area, const Distances& distances);
