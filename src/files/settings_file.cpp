// Reading and writing the settings file. The reader looks at no more than
// the first few kilobytes, so any file, of any size, is read safely.
#include "files/settings_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "files/paths.h"
#include "files/player_files.h"
#include "files/safe_write.h"

namespace {

constexpr size_t settingsBytesRead = 4096;

// The setting on one line, if it is one: "scale" and one digit, nothing more.
void readLine(const std::string& line, Settings& settings) {
    std::istringstream words(line);
    std::string name, value, more;
    if (!(words >> name >> value) || words >> more || name != "scale" || value.size() != 1) return;
    const int scale = value[0] - '0';
    if (scale >= 1 && scale <= maxSettingsScale) settings.scale = scale;
}

}  // namespace

Settings readSettings(const std::string& bytes) {
    Settings settings = {0};
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        readLine(bytes.substr(start, end - start), settings);
        start = end + 1;
    }
    return settings;
}

std::string writeSettings(const Settings& settings) {
    return settings.scale >= 1 && settings.scale <= maxSettingsScale ? "scale " + std::to_string(settings.scale) + "\n"
                                                                        : std::string();
}

std::string settingsPath() { return playerFolder() + "/settings"; }

Settings readSettingsFile() {
    const std::string path = settingsPath();
    std::ifstream file;
    if (isOrdinaryFile(path)) file.open(path, std::ios::in | std::ios::binary);
    if (!file.is_open()) return {0};
    std::string bytes(settingsBytesRead, '\0');
    file.read(&bytes[0], std::streamsize(bytes.size()));
    bytes.resize(size_t(file.gcount()));
    return readSettings(bytes);
}

FileResult writeSettingsFile(const Settings& settings) {
    errno = 0;
    if (!makePlayerFolder()) {
        return fileFailed(FileOutcome::notWritten, errno ? std::strerror(errno) : "no folder");
    }
    return writeFileSafely(settingsPath(), writeSettings(settings));
}
