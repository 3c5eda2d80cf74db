// The tune notation: reading it, checking every bar, and laying the notes out
// in time with a player's touch (stronger downbeats, a little unevenness).
#include "score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

namespace {

struct Line {
    int number;
    std::vector<std::string> words;
};

struct Chord {
    uint32_t start;
    uint32_t length;
    int rootClass;           // 0 is C
    int bassClass;           // the written bass of a slash chord, else the root
    std::vector<int> intervals;
};

struct Section {
    std::string name;
    int level = 0;  // added to every velocity in the section
    int bars = 0;
    std::vector<Chord> chords;
    int chordLine = 0;
    std::vector<Line> content;  // part lines, in the order written
};

// A chord or bass pattern event, or a melody note before it is placed.
struct Step {
    uint32_t offset;
    uint32_t length;
    std::vector<int> keys;  // melody: the keys; patterns: encoded degrees
    int accent = 0;
    bool tiedOn = false;
};

constexpr int closeChordDegree = 100;  // the pattern token "c": every chord tone

[[noreturn]] void fail(const std::string& source, int line, const std::string& message) {
    throw TuneError(source + ":" + std::to_string(line) + ": " + message);
}

int toInt(const std::string& source, int line, const std::string& word) {
    try {
        size_t used = 0;
        int value = std::stoi(word, &used);
        if (used == word.size()) return value;
    } catch (const std::exception&) {
    }
    fail(source, line, "expected a number, found \"" + word + "\"");
}

int noteClass(char letter) {
    switch (letter) {
        case 'c': return 0;
        case 'd': return 2;
        case 'e': return 4;
        case 'f': return 5;
        case 'g': return 7;
        case 'a': return 9;
        case 'b': return 11;
        default: return -1;
    }
}

// Reads the length letters at `at` ("q", "e.", "qt") and moves past them.
// Zero when there are none.
uint32_t readLength(const std::string& word, size_t& at) {
    uint32_t length = 0;
    if (at < word.size()) {
        switch (word[at]) {
            case 'w': length = 4 * ticksPerQuarter; break;
            case 'h': length = 2 * ticksPerQuarter; break;
            case 'q': length = ticksPerQuarter; break;
            case 'e': length = ticksPerQuarter / 2; break;
            case 's': length = ticksPerQuarter / 4; break;
            default: return 0;
        }
        at++;
    }
    while (at < word.size() && (word[at] == '.' || word[at] == 't')) {
        length = word[at] == '.' ? length * 3 / 2 : length * 2 / 3;
        at++;
    }
    return length;
}

int readAccent(const std::string& word, size_t& at) {
    int accent = 0;
    while (at < word.size() && (word[at] == '>' || word[at] == '<')) {
        accent += word[at] == '>' ? 14 : -14;
        at++;
    }
    return accent;
}

// Splits a line into words; a word starting with '#' begins a comment.
std::vector<std::string> wordsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) {
        if (word[0] == '#') break;
        words.push_back(word);
    }
    return words;
}

// Where a strike at `offset` into the bar falls: downbeats a little stronger,
// notes between the beats a little lighter.
int metricLift(uint32_t offset, uint32_t barTicks, uint32_t beatTicks) {
    if (offset % barTicks == 0) return 8;
    if (offset % beatTicks == 0) return 3;
    if (offset % (ticksPerQuarter / 2) == 0) return 0;
    return -4;
}

// A small, repeatable unevenness, as no player strikes twice alike.
int jitter(uint32_t tick, int key, int partIndex) {
    uint32_t h = tick * 2654435761u ^ uint32_t(key) * 40503u ^ uint32_t(partIndex + 1) * 2246822519u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return int(h % 9) - 4;
}

int placeInWindow(int pitchClass, int floor) { return floor + ((pitchClass - floor) % 12 + 12) % 12; }

int degreeInterval(int degree, const std::vector<int>& chord) {
    auto has = [&](int interval) { return std::find(chord.begin(), chord.end(), interval) != chord.end(); };
    switch (degree) {
        case 1: return 0;
        case 2: return 2;
        case 3: return chord.size() > 1 ? chord[1] : 4;
        case 4: return 5;
        case 5: return chord.size() > 2 ? chord[2] : 7;
        case 6: return 9;
        case 7:
            for (int interval : {10, 11, 9}) {
                if (has(interval) && interval != chord[1] && interval != chord[2]) return interval;
            }
            return 12;
        case 8: return 12;
        case 9: return 14;
        default: return 0;
    }
}

class TuneReader {
public:
    TuneReader(const std::string& text, const std::string& source) : source(source) {
        std::istringstream in(text);
        std::string raw;
        int number = 0;
        while (std::getline(in, raw)) {
            number++;
            std::vector<std::string> words = wordsOf(raw);
            if (words.empty()) continue;
            bool continued = raw[0] == ' ' || raw[0] == '\t';
            if (continued) {
                content(number, words);
            } else {
                directive(number, words);
            }
        }
    }

    RenderedTune render() {
        if (form.empty()) fail(source, 0, "the tune has no form line");
        if (tune.parts.empty()) fail(source, 0, "the tune has no parts");
        for (size_t i = 0; i < form.size(); i++) {
            auto found = std::find_if(sections.begin(), sections.end(),
                                      [&](const Section& s) { return s.name == form[i]; });
            if (found == sections.end()) fail(source, formLine, "no section named \"" + form[i] + "\"");
            renderSection(*found, tune.lengthTicks);
            tune.lengthTicks += uint32_t(found->bars) * tune.barTicks;
        }
        for (RenderedPart& part : tune.parts) {
            std::stable_sort(part.notes.begin(), part.notes.end(),
                             [](const Note& a, const Note& b) { return a.tick < b.tick; });
        }
        return tune;
    }

private:
    std::string source;
    RenderedTune tune;
    int transpose = 0;
    std::vector<Section> sections;
    std::map<std::string, std::vector<Line>> phrases;
    std::vector<std::string> form;
    int formLine = 0;
    enum class Block { none, section, phrase } block = Block::none;
    std::string blockName;

    uint32_t beatTicks() const {
        if (tune.meterBottom == 8 && tune.meterTop % 3 == 0) return 3 * ticksPerQuarter / 2;
        return uint32_t(4 * ticksPerQuarter / tune.meterBottom);
    }

    void directive(int number, const std::vector<std::string>& words) {
        const std::string& name = words[0];
        block = Block::none;
        auto need = [&](size_t count) {
            if (words.size() < count) fail(source, number, "\"" + name + "\" is missing a value");
        };
        if (name == "title") {
            need(2);
            tune.title.clear();
            for (size_t i = 1; i < words.size(); i++) tune.title += (i > 1 ? " " : "") + words[i];
        } else if (name == "tempo") {
            need(2);
            tune.tempo = toInt(source, number, words[1]);
            if (tune.tempo < 20 || tune.tempo > 300) fail(source, number, "tempo out of range");
        } else if (name == "meter") {
            need(2);
            size_t slash = words[1].find('/');
            if (slash == std::string::npos) fail(source, number, "the metre is written like 3/4");
            tune.meterTop = toInt(source, number, words[1].substr(0, slash));
            tune.meterBottom = toInt(source, number, words[1].substr(slash + 1));
            if (tune.meterTop < 1 || tune.meterTop > 16 || (tune.meterBottom != 4 && tune.meterBottom != 8)) {
                fail(source, number, "unsupported metre " + words[1]);
            }
            tune.barTicks = uint32_t(tune.meterTop * 4 * ticksPerQuarter / tune.meterBottom);
        } else if (name == "transpose") {
            need(2);
            transpose = toInt(source, number, words[1]);
        } else if (name == "part") {
            readPart(number, words);
        } else if (name == "phrase") {
            need(2);
            block = Block::phrase;
            blockName = words[1];
            if (phrases.count(blockName)) fail(source, number, "phrase \"" + blockName + "\" written twice");
            phrases[blockName] = {};
            if (words.size() > 2) {
                phrases[blockName].push_back({number, std::vector<std::string>(words.begin() + 2, words.end())});
            }
        } else if (name == "section") {
            need(2);
            Section section;
            section.name = words[1];
            for (size_t i = 2; i + 1 < words.size(); i += 2) {
                if (words[i] != "level") fail(source, number, "unknown section setting \"" + words[i] + "\"");
                section.level = toInt(source, number, words[i + 1]);
            }
            sections.push_back(section);
            block = Block::section;
        } else if (name == "form") {
            need(2);
            form.assign(words.begin() + 1, words.end());
            formLine = number;
        } else {
            fail(source, number, "unknown line \"" + name + "\"");
        }
    }

    void readPart(int number, const std::vector<std::string>& words) {
        if (words.size() < 3) fail(source, number, "a part needs a name and a kind");
        PartSetup part;
        part.name = words[1];
        const std::string& kind = words[2];
        if (kind == "melody") part.kind = PartKind::melody;
        else if (kind == "chords") part.kind = PartKind::chords;
        else if (kind == "bass") part.kind = PartKind::bass;
        else if (kind == "drums") part.kind = PartKind::drums;
        else fail(source, number, "unknown kind of part \"" + kind + "\"");
        if (part.kind == PartKind::bass) part.floor = 28;
        for (size_t i = 3; i < words.size(); i += 2) {
            if (i + 1 >= words.size()) fail(source, number, "\"" + words[i] + "\" is missing a value");
            const std::string& key = words[i];
            const std::string& value = words[i + 1];
            if (key == "program") part.program = toInt(source, number, value);
            else if (key == "volume") part.volume = toInt(source, number, value);
            else if (key == "pan") part.pan = toInt(source, number, value);
            else if (key == "velocity") part.velocity = toInt(source, number, value);
            else if (key == "legato") part.legato = toInt(source, number, value);
            else if (key == "floor") {
                part.floor = pitchKey(value);
                if (part.floor < 0) fail(source, number, "\"" + value + "\" is not a pitch");
            } else {
                fail(source, number, "unknown part setting \"" + key + "\"");
            }
        }
        if (part.program < 0 || part.program > 127) fail(source, number, "program out of range (0..127)");
        if (part.legato < 10 || part.legato > 100) fail(source, number, "legato is a percentage up to 100");
        for (const RenderedPart& other : tune.parts) {
            if (other.setup.name == part.name) fail(source, number, "part \"" + part.name + "\" written twice");
        }
        if (part.kind == PartKind::drums) {
            part.channel = drumChannel;
        } else {
            int melodic = 0;
            for (const RenderedPart& other : tune.parts) {
                if (other.setup.kind != PartKind::drums) melodic++;
            }
            part.channel = melodic < drumChannel ? melodic : melodic + 1;
            if (part.channel > 15) fail(source, number, "too many parts");
        }
        tune.parts.push_back({part, {}});
    }

    void content(int number, const std::vector<std::string>& words) {
        if (block == Block::phrase) {
            phrases[blockName].push_back({number, words});
            return;
        }
        if (block != Block::section) fail(source, number, "an indented line belongs under a section or phrase");
        Section& section = sections.back();
        if (words[0] == "chords") {
            if (section.bars > 0) fail(source, number, "a section has one chords line");
            readChords(section, number, std::vector<std::string>(words.begin() + 1, words.end()));
        } else {
            if (!findPart(words[0])) fail(source, number, "no part named \"" + words[0] + "\"");
            section.content.push_back({number, words});
        }
    }

    RenderedPart* findPart(const std::string& name) {
        for (RenderedPart& part : tune.parts) {
            if (part.setup.name == name) return &part;
        }
        return nullptr;
    }

    void readChords(Section& section, int number, const std::vector<std::string>& words) {
        section.chordLine = number;
        std::vector<std::vector<std::string>> bars(1);
        for (const std::string& word : words) {
            if (word == "|") {
                bars.emplace_back();
            } else if (word == "%") {
                if (bars.size() < 2) fail(source, number, "\"%\" repeats the bar before, and there is none");
                bars.back() = bars[bars.size() - 2];
            } else {
                bars.back().push_back(word);
            }
        }
        if (bars.back().empty()) bars.pop_back();
        uint32_t barStart = 0;
        for (const std::vector<std::string>& bar : bars) {
            if (bar.empty()) fail(source, number, "an empty bar in the chords");
            std::vector<double> weights;
            double total = 0.0;
            for (const std::string& symbol : bar) {
                size_t colon = symbol.find(':');
                double weight = colon == std::string::npos ? 1.0 : std::atof(symbol.c_str() + colon + 1);
                if (weight <= 0.0) fail(source, number, "a chord's share of the bar must be positive");
                weights.push_back(weight);
                total += weight;
            }
            double at = 0.0;
            for (size_t i = 0; i < bar.size(); i++) {
                std::string symbol = bar[i].substr(0, bar[i].find(':'));
                Chord chord{};
                if (!chordIntervals(symbol, chord.intervals)) fail(source, number, "unknown chord \"" + symbol + "\"");
                chord.rootClass = chordRoot(symbol, number);
                size_t slash = symbol.find('/');
                chord.bassClass = slash == std::string::npos ? chord.rootClass : chordRoot(symbol.substr(slash + 1), number);
                uint32_t from = uint32_t(std::lround(at / total * tune.barTicks));
                at += weights[i];
                uint32_t to = uint32_t(std::lround(at / total * tune.barTicks));
                chord.start = barStart + from;
                chord.length = to - from;
                section.chords.push_back(chord);
            }
            barStart += tune.barTicks;
        }
        section.bars = int(bars.size());
    }

    int chordRoot(const std::string& symbol, int number) {
        int pitch = symbol.empty() ? -1 : noteClass(char(std::tolower(symbol[0])));
        if (pitch < 0 || !std::isupper(static_cast<unsigned char>(symbol[0]))) {
            fail(source, number, "a chord starts with a capital note name: \"" + symbol + "\"");
        }
        if (symbol.size() > 1 && symbol[1] == '#') pitch++;
        if (symbol.size() > 1 && symbol[1] == 'b') pitch--;
        return ((pitch + transpose) % 12 + 12) % 12;
    }

    const Chord& chordAt(const Section& section, uint32_t offset) const {
        for (const Chord& chord : section.chords) {
            if (offset < chord.start + chord.length) return chord;
        }
        return section.chords.back();
    }

    // Turns the words of one part's lines into bars of steps, checking each
    // bar's length. Phrases are expanded in place, shifted when asked.
    std::vector<std::vector<Step>> readBars(const std::vector<Line>& lines, PartKind kind) {
        std::vector<std::vector<Step>> bars(1);
        std::vector<uint32_t> barLengths(1, 0);
        std::vector<int> barLines(1, lines.empty() ? 0 : lines[0].number);
        uint32_t lastLength = ticksPerQuarter;
        int depth = 0;  // phrases inside phrases
        // A bar line, written or at the end of a line, closes the bar being
        // filled; it never opens an empty one.
        auto closeBar = [&](int number) {
            if (bars.back().empty()) return;
            bars.emplace_back();
            barLengths.push_back(0);
            barLines.push_back(number);
        };
        std::function<void(const Line&, size_t, int)> readLine = [&](const Line& line, size_t first, int shift) {
            for (size_t i = first; i < line.words.size(); i++) {
                const std::string& word = line.words[i];
                if (word == "|") {
                    closeBar(line.number);
                    continue;
                }
                if (word[0] == '@') {
                    if (kind != PartKind::melody) fail(source, line.number, "phrases belong to melody parts");
                    std::string name = word.substr(1);
                    int phraseShift = 0;
                    size_t sign = name.find_first_of("+-");
                    if (sign != std::string::npos) {
                        phraseShift = toInt(source, line.number, name.substr(sign));
                        name = name.substr(0, sign);
                    }
                    auto found = phrases.find(name);
                    if (found == phrases.end()) fail(source, line.number, "no phrase named \"" + name + "\"");
                    if (++depth > 8) fail(source, line.number, "phrases nested too deep");
                    for (const Line& phraseLine : found->second) readLine(phraseLine, 0, shift + phraseShift);
                    depth--;
                    continue;
                }
                Step step = kind == PartKind::melody ? melodyStep(line.number, word, shift)
                                                     : patternStep(line.number, word);
                if (step.length == 0) step.length = lastLength;
                lastLength = step.length;
                step.offset = barLengths.back();
                barLengths.back() += step.length;
                if (bars.back().empty()) barLines.back() = line.number;
                bars.back().push_back(step);
            }
            closeBar(line.number);
        };
        for (const Line& line : lines) readLine(line, 1, 0);
        if (bars.back().empty()) {
            bars.pop_back();
            barLengths.pop_back();
        }
        for (size_t i = 0; i < bars.size(); i++) {
            if (barLengths[i] != tune.barTicks) {
                fail(source, barLines[i], "bar " + std::to_string(i + 1) + " lasts " + describeLength(barLengths[i]) +
                                              ", the metre needs " + describeLength(tune.barTicks));
            }
        }
        return bars;
    }

    static std::string describeLength(uint32_t ticks) {
        std::ostringstream text;
        text << double(ticks) / ticksPerQuarter << " quarters";
        return text.str();
    }

    Step melodyStep(int number, const std::string& word, int shift) {
        Step step{};
        size_t at = 0;
        step.accent = readAccent(word, at);
        if (at < word.size() && word[at] == 'r') {
            at++;
        } else {
            size_t start = at;
            if (at < word.size() && noteClass(char(std::tolower(word[at]))) >= 0) at++;
            bool accidental = at + 1 < word.size() && (word[at] == '#' || word[at] == 'b') &&
                              std::isdigit(static_cast<unsigned char>(word[at + 1]));
            if (accidental) at++;
            while (at < word.size() && std::isdigit(static_cast<unsigned char>(word[at]))) at++;
            int key = pitchKey(word.substr(start, at - start));
            if (key < 0) fail(source, number, "\"" + word + "\" is not a note");
            key += transpose + shift;
            if (key < 0 || key > 127) fail(source, number, "\"" + word + "\" falls outside the keyboard");
            step.keys.push_back(key);
        }
        step.length = readLength(word, at);
        if (at < word.size() && word[at] == '~') {
            if (step.keys.empty()) fail(source, number, "a rest cannot be tied");
            step.tiedOn = true;
            at++;
        }
        if (at != word.size()) fail(source, number, "cannot read \"" + word + "\"");
        return step;
    }

    // Pattern words: "1q", "5,e", "1/3/5h", "c'q", ">ce", "rq". Degrees are
    // stored as degree * 10 + 5 + octave shift, the close chord as 100.
    Step patternStep(int number, const std::string& word) {
        Step step{};
        size_t at = 0;
        step.accent = readAccent(word, at);
        if (at < word.size() && word[at] == 'r') {
            at++;
        } else {
            do {
                if (at < word.size() && word[at] == '/') at++;
                int degree;
                if (at < word.size() && word[at] == 'c') {
                    degree = closeChordDegree;
                } else if (at < word.size() && word[at] >= '1' && word[at] <= '9') {
                    degree = (word[at] - '0') * 10;
                } else {
                    fail(source, number, "cannot read \"" + word + "\"");
                }
                at++;
                int octave = 0;
                while (at < word.size() && (word[at] == '\'' || word[at] == ',')) {
                    octave += word[at] == '\'' ? 1 : -1;
                    at++;
                }
                if (octave < -2 || octave > 2) fail(source, number, "too many octave marks in \"" + word + "\"");
                step.keys.push_back(degree + 5 + octave);
            } while (at < word.size() && word[at] == '/');
        }
        step.length = readLength(word, at);
        if (at != word.size()) fail(source, number, "cannot read \"" + word + "\"");
        return step;
    }

    int velocityFor(const PartSetup& setup, const Section& section, int accent, uint32_t offset, uint32_t tick,
                    int key, int partIndex) const {
        int velocity = setup.velocity + section.level + accent + metricLift(offset, tune.barTicks, beatTicks()) +
                       jitter(tick, key, partIndex);
        return std::clamp(velocity, 1, 127);
    }

    void renderSection(const Section& section, uint32_t start) {
        if (section.bars == 0) fail(source, formLine, "section \"" + section.name + "\" has no chords line");
        for (size_t index = 0; index < tune.parts.size(); index++) {
            RenderedPart& part = tune.parts[index];
            std::vector<Line> lines;
            for (const Line& line : section.content) {
                if (line.words[0] == part.setup.name) lines.push_back(line);
            }
            if (lines.empty()) continue;
            switch (part.setup.kind) {
                case PartKind::melody: renderMelody(part, int(index), section, start, lines); break;
                case PartKind::chords:
                case PartKind::bass: renderPattern(part, int(index), section, start, lines); break;
                case PartKind::drums: renderDrums(part, int(index), section, start, lines); break;
            }
        }
    }

    uint32_t sounding(const PartSetup& setup, uint32_t written) const {
        return std::max<uint32_t>(30, written * uint32_t(setup.legato) / 100);
    }

    void renderMelody(RenderedPart& part, int index, const Section& section, uint32_t start,
                      const std::vector<Line>& lines) {
        std::vector<std::vector<Step>> bars = readBars(lines, PartKind::melody);
        if (int(bars.size()) != section.bars) {
            fail(source, lines[0].number, "part \"" + part.setup.name + "\" has " + std::to_string(bars.size()) +
                                              " bars, section \"" + section.name + "\" has " +
                                              std::to_string(section.bars));
        }
        bool tying = false;
        Note* held = nullptr;
        uint32_t heldWritten = 0;
        for (size_t bar = 0; bar < bars.size(); bar++) {
            for (const Step& step : bars[bar]) {
                uint32_t tick = start + uint32_t(bar) * tune.barTicks + step.offset;
                if (tying) {
                    if (step.keys.empty() || held == nullptr || step.keys[0] != held->key) {
                        fail(source, lines[0].number, "a tie must lead to the same note");
                    }
                    heldWritten += step.length;
                    held->length = sounding(part.setup, heldWritten);
                } else if (!step.keys.empty()) {
                    int velocity = velocityFor(part.setup, section, step.accent, step.offset, tick, step.keys[0], index);
                    part.notes.push_back({tick, sounding(part.setup, step.length), step.keys[0], velocity});
                    held = &part.notes.back();
                    heldWritten = step.length;
                }
                tying = step.tiedOn;
            }
        }
        if (tying) fail(source, lines[0].number, "the section ends inside a tie");
    }

    void renderPattern(RenderedPart& part, int index, const Section& section, uint32_t start,
                       const std::vector<Line>& lines) {
        std::vector<std::vector<Step>> bars = readBars(lines, PartKind::chords);
        const PartSetup& setup = part.setup;
        for (int bar = 0; bar < section.bars; bar++) {
            for (const Step& step : bars[size_t(bar) % bars.size()]) {
                uint32_t offset = uint32_t(bar) * tune.barTicks + step.offset;
                const Chord& chord = chordAt(section, offset);
                std::vector<int> keys;
                for (int code : step.keys) {
                    int octave = code % 10 - 5;
                    int degree = code / 10;
                    if (degree * 10 == closeChordDegree) {
                        for (int interval : chord.intervals) {
                            keys.push_back(placeInWindow(chord.rootClass + interval, setup.floor) + 12 * octave);
                        }
                    } else if (degree == 1 && setup.kind == PartKind::bass) {
                        keys.push_back(placeInWindow(chord.bassClass, setup.floor) + 12 * octave);
                    } else {
                        keys.push_back(placeInWindow(chord.rootClass, setup.floor) +
                                       degreeInterval(degree, chord.intervals) + 12 * octave);
                    }
                }
                // A note rings to the end of its written length or its chord, whichever comes first.
                uint32_t written = std::min(step.length, chord.start + chord.length - offset);
                for (int key : keys) {
                    if (key < 0 || key > 127) fail(source, lines[0].number, "a pattern note falls outside the keyboard");
                    int velocity = velocityFor(setup, section, step.accent, step.offset, start + offset, key, index);
                    part.notes.push_back({start + offset, sounding(setup, written), key, velocity});
                }
            }
        }
    }

    void renderDrums(RenderedPart& part, int index, const Section& section, uint32_t start,
                     const std::vector<Line>& lines) {
        const uint32_t stepTicks = ticksPerQuarter / 4;
        const size_t stepsPerBar = tune.barTicks / stepTicks;
        for (const Line& line : lines) {
            if (line.words.size() < 3) fail(source, line.number, "a drum line is: part, instrument, grid");
            int key = drumKey(line.words[1]);
            if (key < 0) fail(source, line.number, "unknown drum \"" + line.words[1] + "\"");
            std::vector<std::string> bars(1);
            for (size_t i = 2; i < line.words.size(); i++) {
                for (char mark : line.words[i]) {
                    if (mark == '|') {
                        bars.emplace_back();
                    } else if (std::string("xXo.").find(mark) != std::string::npos) {
                        bars.back() += mark;
                    } else {
                        fail(source, line.number, std::string("unknown drum mark '") + mark + "'");
                    }
                }
            }
            bars.erase(std::remove(bars.begin(), bars.end(), std::string()), bars.end());
            for (size_t i = 0; i < bars.size(); i++) {
                if (bars[i].size() != stepsPerBar) {
                    fail(source, line.number, "drum bar " + std::to_string(i + 1) + " has " +
                                                  std::to_string(bars[i].size()) + " steps, the metre needs " +
                                                  std::to_string(stepsPerBar));
                }
            }
            if (bars.empty()) fail(source, line.number, "a drum line without a grid");
            std::string grid;
            for (int bar = 0; bar < section.bars; bar++) grid += bars[size_t(bar) % bars.size()];
            for (size_t stepIndex = 0; stepIndex < grid.size(); stepIndex++) {
                char mark = grid[stepIndex];
                if (mark == '.') continue;
                size_t next = stepIndex + 1;
                while (next < grid.size() && grid[next] == '.') next++;
                uint32_t offset = uint32_t(stepIndex) * stepTicks;
                uint32_t length = std::min<uint32_t>(uint32_t(next - stepIndex) * stepTicks, ticksPerQuarter) - 10;
                int accent = mark == 'X' ? 18 : mark == 'o' ? -18 : 0;
                int velocity = velocityFor(part.setup, section, accent, offset % tune.barTicks, start + offset, key, index);
                part.notes.push_back({start + offset, length, key, velocity});
            }
        }
    }
};

}  // namespace

int pitchKey(const std::string& written) {
    if (written.size() < 2) return -1;
    int pitch = noteClass(char(std::tolower(written[0])));
    if (pitch < 0) return -1;
    size_t at = 1;
    if (written[at] == '#' || (written[at] == 'b' && written.size() > 2)) {
        pitch += written[at] == '#' ? 1 : -1;
        at++;
    }
    if (at >= written.size()) return -1;
    int octave = 0;
    for (; at < written.size(); at++) {
        if (!std::isdigit(static_cast<unsigned char>(written[at]))) return -1;
        octave = octave * 10 + (written[at] - '0');
        if (octave > 9) return -1;
    }
    int key = (octave + 1) * 12 + pitch;
    return key >= 0 && key <= 127 ? key : -1;
}

bool chordIntervals(const std::string& symbol, std::vector<int>& intervals) {
    static const std::map<std::string, std::vector<int>> qualities = {
        {"", {0, 4, 7}},           {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}},   {"m7", {0, 3, 7, 10}},     {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},      {"sus4", {0, 5, 7}},       {"sus2", {0, 2, 7}},
        {"7sus4", {0, 5, 7, 10}},  {"add9", {0, 4, 7, 14}},   {"maj9", {0, 4, 7, 11, 14}},
        {"9", {0, 4, 7, 10, 14}},  {"m9", {0, 3, 7, 10, 14}}, {"dim", {0, 3, 6}},
        {"dim7", {0, 3, 6, 9}},    {"m7b5", {0, 3, 6, 10}},   {"aug", {0, 4, 8}},
    };
    if (symbol.empty() || noteClass(char(std::tolower(symbol[0]))) < 0) return false;
    size_t at = 1;
    if (at < symbol.size() && (symbol[at] == '#' || symbol[at] == 'b')) at++;
    size_t slash = symbol.find('/');
    std::string quality = symbol.substr(at, slash == std::string::npos ? std::string::npos : slash - at);
    if (slash != std::string::npos) {
        std::string bass = symbol.substr(slash + 1);
        if (bass.empty() || bass.size() > 2 || noteClass(char(std::tolower(bass[0]))) < 0) return false;
        if (bass.size() == 2 && bass[1] != '#' && bass[1] != 'b') return false;
    }
    auto found = qualities.find(quality);
    if (found == qualities.end()) return false;
    intervals = found->second;
    return true;
}

int drumKey(const std::string& name) {
    static const std::map<std::string, int> drums = {
        {"kick", 36},     {"softkick", 35}, {"rim", 37},      {"snare", 38},   {"clap", 39},
        {"hat", 42},      {"pedalhat", 44}, {"openhat", 46},  {"lowtom", 45},  {"hightom", 50},
        {"ride", 51},     {"bell", 53},     {"tambourine", 54}, {"cowbell", 56}, {"highbongo", 60},
        {"lowbongo", 61}, {"muteconga", 62}, {"conga", 63},   {"lowconga", 64}, {"cabasa", 69},
        {"maracas", 70},  {"claves", 75},   {"block", 76},    {"lowblock", 77}, {"mutetriangle", 80},
        {"triangle", 81}, {"shaker", 82},
    };
    auto found = drums.find(name);
    return found == drums.end() ? -1 : found->second;
}

RenderedTune readTune(const std::string& text, const std::string& source) {
    TuneReader reader(text, source);
    return reader.render();
}

double tuneSeconds(const RenderedTune& tune) {
    return double(tune.lengthTicks) / ticksPerQuarter * 60.0 / tune.tempo;
}

std::vector<MidiTrack> tuneTracks(const RenderedTune& tune) {
    std::vector<MidiTrack> tracks(1);
    addTrackName(tracks[0], tune.title);
    addTempo(tracks[0], 0, tune.tempo);
    addTimeSignature(tracks[0], 0, tune.meterTop, tune.meterBottom);
    for (const RenderedPart& part : tune.parts) {
        MidiTrack track;
        const PartSetup& setup = part.setup;
        addTrackName(track, setup.name);
        if (setup.kind != PartKind::drums) addProgram(track, 0, setup.channel, setup.program);
        addController(track, 0, setup.channel, 7, setup.volume);
        addController(track, 0, setup.channel, 10, setup.pan);
        for (const Note& note : part.notes) addNote(track, note.tick, note.length, setup.channel, note.key, note.velocity);
        tracks.push_back(track);
    }
    // Every track ends together, on the last bar line, so the loop keeps time.
    for (MidiTrack& track : tracks) track.endTick = std::max(track.endTick, tune.lengthTicks);
    return tracks;
}
