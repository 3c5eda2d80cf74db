// What the fuzz targets share: a check that stops the run with the broken
// guarantee named, so libFuzzer keeps the input as a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Stops the process with `what` on standard error when `holds` is false.
void require(bool holds, const char* what);

// The input bytes as a string, NUL bytes and all.
inline std::string bytesOf(const uint8_t* data, size_t size) {
    return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

// True when a name read from a file holds no whitespace: the readers stop
// every name at the first separator.
bool isSingleToken(const std::string& name);
