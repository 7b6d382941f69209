#include "bench/playback/TimingScore.h"

#include <random>

namespace notaro::bench {

std::string timingScore(int nNotes, uint32_t seed) {
    std::mt19937 rng(seed);
    const char* values[] = {"4", "8", "8.", "16", "16", "32", "32", "12", "4.."};
    const char* pitches[] = {"c",  "d", "e",  "f",  "g",  "a",  "b",
                             "cc", "C", "e-", "f#", "c+", "d~", "g+"};
    std::string text = "**n[a-b-c]\r\n*t[300]\r\n";
    std::string line;
    for (int i = 0; i < nNotes; ++i) {
        const std::string value = values[rng() % 9];
        const unsigned kind = rng() % 20;
        std::string token;
        if (kind == 0) {
            token = value + ":";
        } else if (kind == 1 && i + 1 < nNotes) {
            // A tie needs the same pitch on both notes.
            const std::string pitch = pitches[rng() % 14];
            token = value + pitch + "[ " + values[rng() % 9] + pitch + "]";
            ++i;
        } else if (kind == 2 && i + 1 < nNotes) {
            token =
                value + pitches[rng() % 14] + "( " + values[rng() % 9] + pitches[rng() % 14] + ")";
            ++i;
        } else {
            token = value + pitches[rng() % 14] + (kind == 3 ? "'" : "");
        }
        line += token + " ";
        if (line.size() > 60) {
            text += line + "\r\n";
            line.clear();
        }
    }
    return text + line + "\r\n";
}

} // namespace notaro::bench
