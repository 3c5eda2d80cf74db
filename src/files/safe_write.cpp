// The temporary-file-and-rename write every file of the player's goes through.
#include "files/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0) return false;
        done += size_t(written);
    }
    return true;
}

// The mode a new file gets: the old file's, or read-write as the umask allows.
mode_t modeFor(const std::string& path) {
    struct stat old;
    if (::stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileResult writeFileSafely(const std::string& path, const std::string& text) {
    std::string temporary = path + ".XXXXXX";
    errno = 0;
    int fd = ::mkstemp(&temporary[0]);
    if (fd < 0) return fileFailed(FileOutcome::notWritten, std::strerror(errno));
    bool complete = ::fchmod(fd, modeFor(path)) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
    complete = ::close(fd) == 0 && complete;
    if (complete && ::rename(temporary.c_str(), path.c_str()) == 0) return fileDone();
    const std::string reason = errno ? std::strerror(errno) : "write failed";
    ::unlink(temporary.c_str());
    return fileFailed(FileOutcome::notWritten, reason);
}
