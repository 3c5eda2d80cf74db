// Writing a whole file so that it is never left half-written: saved games,
// the autosave, the records and the list of collections opened all go
// through here.
#pragma once

#include <string>

#include "files/file_result.h"

// Writes `text` to a new file beside `path`, which replaces the old file only
// once it is complete and on the disk. Not written when anything failed, with
// the system's reason; an old file of that name is then untouched. The new
// file keeps the old one's permissions.
FileResult writeFileSafely(const std::string& path, const std::string& text);
