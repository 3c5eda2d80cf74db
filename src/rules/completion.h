// When a level is won.
#pragma once

// True when the number of box-on-target pairs equals boxesToPlace exactly.
bool isLevelComplete();
