// The checks the fuzz targets share.
#include <cstdio>
#include <cstdlib>

#include "fuzz_check.h"

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken guarantee: %s\n", what);
    std::abort();
}

bool isSingleToken(const std::string& name) {
    for (char c : name) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') return false;
    }
    return true;
}
