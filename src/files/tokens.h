// Whitespace-separated tokens of the level and saved-game files.
//
// A read that fails stores nothing: the field keeps the value it had, and the
// stream stays failed so every later read fails too. The standard extraction
// operators would instead store 0 or a range limit, or leave a string as it
// was, so these readers do their own scanning.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

// An optional sign and decimal digits that fit a signed 32-bit integer.
void readInt32(std::istream& in, int32_t& field);
// Decimal digits, with an optional plus sign, that fit an unsigned 32-bit integer.
void readUint32(std::istream& in, uint32_t& field);
// The longest name a file can be opened by here (a path of 4,095 bytes).
constexpr size_t longestName = 4095;

// A run of non-whitespace characters. The name is emptied first, even when the
// read then fails. A run longer than longestName fails the read, and stays empty.
void readName(std::istream& in, std::string& field);
