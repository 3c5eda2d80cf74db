// The generate command: a new chain of levels made by the project's own
// generator, each proven winnable before it is written.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

struct GenerateRequest {
    int count = 20;
    int fewestPushes = 30, mostPushes = 80;
    uint32_t seed = 1;
    uint64_t maxStates = 200000;  // the solver's limit of positions for each level
};

// Makes `count` levels whose fewest pushes lie in the range and are proven by
// the solver within its limit of positions, no two alike, ordered by
// difficulty. Writes them as a text collection, levels.txt, and as the chain
// level1.kzm ... into the folder, named as the game opens them from the
// current folder. The same request always makes the same files. Returns 0
// when all were made.
int generateChain(const GenerateRequest& request, const std::string& folder, std::ostream& out);
