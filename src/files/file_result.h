// What came of reading or writing a file: done, or why not. The readers and
// writers only report; what the player is told, and where play goes next, is
// the game's to decide.
#pragma once

#include <string>

enum class FileOutcome { done, missing, malformed, notWritten };

struct FileResult {
    FileOutcome outcome = FileOutcome::done;
    std::string reason;  // in a few words, for a message or the error stream; empty when done
    explicit operator bool() const { return outcome == FileOutcome::done; }
};

inline FileResult fileDone() { return {}; }
inline FileResult fileFailed(FileOutcome outcome, const std::string& reason) { return {outcome, reason}; }
