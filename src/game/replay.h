// Playing a solution back on the board at a walking pace, as the chooser's P
// does: every move made, counted, drawn and heard as if typed.
#pragma once

#include <string>

// Plays the letters from the level as it stands in the Board. Space pauses and
// goes on, Esc stops. A solution that wins ends on the won screen (or the
// closing screen after a set's last level), left with Enter. Nothing is kept:
// no record, no autosave.
void replaySolution(const std::string& letters);
