// Lines read through a fixed chunk of the stream at a time.
#include "files/line_reader.h"

#include <cstring>

namespace {

constexpr size_t chunkBytes = 64 * 1024;

}  // namespace

LineReader::LineReader(std::istream& in, size_t longest) : source(in.rdbuf()), longest(longest), chunk(chunkBytes) {}

bool LineReader::refill() {
    at = 0;
    filled = 0;
    if (source == nullptr) return false;
    std::streamsize got = source->sgetn(chunk.data(), std::streamsize(chunk.size()));
    filled = got > 0 ? size_t(got) : 0;
    return filled > 0;
}

bool LineReader::next(std::string& line, bool& cut) {
    line.clear();
    cut = false;
    bool any = false;
    for (;;) {
        if (at == filled && !refill()) break;
        any = true;
        const char* from = chunk.data() + at;
        const void* end = std::memchr(from, '\n', filled - at);
        size_t length = end ? size_t(static_cast<const char*>(end) - from) : filled - at;
        size_t room = longest - line.size();
        if (length > room) cut = true;
        line.append(from, length < room ? length : room);
        at += length;
        if (end) {
            at++;
            break;
        }
    }
    if (!any) return false;
    number++;
    if (!cut && !line.empty() && line.back() == '\r') line.pop_back();
    return true;
}
