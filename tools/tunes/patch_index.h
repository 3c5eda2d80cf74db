// The patch index DIGMID, the library's software synthesizer, plays the
// music with: one Gravis patch for each General MIDI program and one for each
// percussion key, taken from Debian's freepats, and the allegro.cfg that
// points the game at it.
#pragma once

#include <map>
#include <string>

// General MIDI percussion keys, acoustic bass drum to open triangle.
constexpr int firstDrumKey = 35;
constexpr int lastDrumKey = 81;

// Patch files by program (0..127) or percussion key, without the ".pat"
// the library adds itself.
struct PatchSet {
    std::map<int, std::string> melodic;
    std::map<int, std::string> drums;
};

// Reads the patches under `folder`/Tone_000 and `folder`/Drum_000, named
// NNN_Name.pat with NNN the program or the key.
PatchSet scanPatchFolder(const std::string& folder);
// The program whose patch stands in for `program`: itself when present, else
// the nearest present program of its family of eight (pianos, organs,
// guitars, ...); -1 when the family has none.
int standInProgram(int program, const std::map<int, std::string>& present);
// Every program and every General MIDI percussion key given a patch, missing
// ones borrowing their stand-in's (for drums: the nearest present key).
PatchSet completePatchSet(const PatchSet& found);
// The index in the format DIGMID reads: "<program + 1> <file>" lines, then
// the percussion between "129 begin_multipatch" and "end_multipatch".
std::string patchIndexText(const PatchSet& patches);
// The [sound] settings the game reads from allegro.cfg in its folder, with
// the index named as given (relative to the game's working folder).
std::string soundConfigText(const std::string& indexPath);
