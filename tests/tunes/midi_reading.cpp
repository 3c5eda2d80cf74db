// Reading MIDI files chunk by chunk, with running status and a tempo map.
#include "midi_reading.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

struct Cursor {
    const std::vector<uint8_t>& bytes;
    size_t at;
    size_t end;
    bool failed = false;

    int byte() {
        if (at >= end) {
            failed = true;
            return 0;
        }
        return bytes[at++];
    }
    uint32_t number(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; i++) value = value << 8 | uint32_t(byte());
        return value;
    }
    uint32_t variable() {
        uint32_t value = 0;
        for (int i = 0; i < 4; i++) {
            int b = byte();
            value = value << 7 | uint32_t(b & 0x7F);
            if (!(b & 0x80)) return value;
        }
        failed = true;
        return value;
    }
};

}  // namespace

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

MidiSummary summarizeMidi(const std::vector<uint8_t>& bytes) {
    MidiSummary summary;
    Cursor file{bytes, 0, bytes.size()};
    if (file.number(4) != 0x4D546864 || file.number(4) != 6) {
        summary.problem = "no MThd header";
        return summary;
    }
    summary.format = int(file.number(2));
    int declared = int(file.number(2));
    summary.division = int(file.number(2));
    std::map<uint32_t, uint32_t> tempoAt = {{0, 500000}};
    while (file.at + 8 <= file.end) {
        uint32_t kind = file.number(4);
        uint32_t length = file.number(4);
        if (kind != 0x4D54726B || file.at + length > file.end) {
            summary.problem = "a chunk that is not a whole track";
            return summary;
        }
        summary.tracks++;
        Cursor track{bytes, file.at, file.at + length};
        file.at += length;
        uint32_t tick = 0;
        int status = 0;
        bool ended = false;
        std::map<int, int> sounding;  // channel * 128 + key -> open note-ons
        while (!ended && !track.failed && track.at < track.end) {
            tick += track.variable();
            int first = track.byte();
            if (first & 0x80) {
                status = first;
                first = -1;
            } else if (status == 0) {
                summary.problem = "running status with no status before it";
                return summary;
            }
            auto data = [&]() {
                if (first >= 0) {
                    int value = first;
                    first = -1;
                    return value;
                }
                return track.byte();
            };
            if (status == 0xFF) {
                int type = track.byte();
                uint32_t size = track.variable();
                if (type == 0x51 && size == 3) {
                    tempoAt[tick] = track.number(3);
                    summary.tempoEvents++;
                } else {
                    track.at += size;
                }
                if (type == 0x2F) {
                    ended = true;
                    summary.endTick = std::max(summary.endTick, tick);
                }
                status = 0;
                continue;
            }
            if (status == 0xF0 || status == 0xF7) {
                track.at += track.variable();
                status = 0;
                continue;
            }
            int channel = status & 0x0F;
            int kindOfEvent = status & 0xF0;
            int a = data();
            int b = (kindOfEvent == 0xC0 || kindOfEvent == 0xD0) ? 0 : data();
            if (kindOfEvent == 0x90 && b > 0) {
                summary.notesByChannel[channel]++;
                if (channel == 9) summary.drumKeys.insert(a);
                sounding[channel * 128 + a]++;
                summary.lowestVelocity = std::min(summary.lowestVelocity, b);
                summary.highestVelocity = std::max(summary.highestVelocity, b);
            } else if (kindOfEvent == 0x80 || kindOfEvent == 0x90) {
                if (sounding[channel * 128 + a]-- <= 0) summary.hangingNotes++;
                summary.lastRelease = std::max(summary.lastRelease, int(tick));
            } else if (kindOfEvent == 0xC0) {
                summary.programs[channel] = a;
            }
        }
        if (!ended || track.failed) {
            summary.problem = "a track without its end-of-track marker";
            return summary;
        }
        for (const auto& open : sounding) summary.hangingNotes += std::max(0, open.second);
    }
    if (summary.tracks != declared) summary.problem = "the header's track count is wrong";
    if (summary.division <= 0) return summary;
    uint32_t previous = 0;
    uint32_t microseconds = 500000;
    for (const auto& [tick, tempo] : tempoAt) {
        if (tick >= summary.endTick) break;
        summary.seconds += double(tick - previous) / summary.division * microseconds / 1e6;
        previous = tick;
        microseconds = tempo;
    }
    summary.seconds += double(summary.endTick - previous) / summary.division * microseconds / 1e6;
    return summary;
}
