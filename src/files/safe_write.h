// Writing a small file so that it is never left half-written: the text goes
// to a new file beside it, which replaces the old one only once it is whole.
#pragma once

#include <string>

#include "files/file_result.h"

// Not written when anything failed, with the system's reason; an old file of
// that name is then untouched. A new file takes the old one's permissions.
FileResult writeFileSafely(const std::string& path, const std::string& text);
