#pragma once

#include "score/cTParse.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace interchangeTest {

/// The notes a score writes, a tie chain as one: "pitch@onset/length" in 1/768 of a whole.
inline std::string writtenNotes(const std::string& text) {
    notaro::cTParse p;
    const notaro::ParseError e = p.parseAramText(text);
    if (!e.message.empty())
        return "parse error: " + e.message;
    std::string out;
    int64_t at = 0, chainStart = 0;
    for (int32_t i = 0; i < p.nNotes(); ++i) {
        const notaro::cGnsNote& r = p.theNotes(i);
        if (r.isDirective())
            continue;
        const int64_t len = int64_t{r.dur->Numer()} * 768 / r.dur->Denom();
        if (!(r.tie & notaro::cGnsNote::kBowFromPrevious))
            chainStart = at;
        at += len;
        if (r.isRest() || (r.tie & notaro::cGnsNote::kBowToNext))
            continue;
        char pitch[16];
        std::snprintf(pitch, sizeof pitch, "%g", r.notePao->tMidi());
        out += (out.empty() ? "" : " ") + std::string(pitch) + "@" + std::to_string(chainStart) +
               "/" + std::to_string(at - chainStart);
    }
    return out;
}

/// Every sample, then a case for every note value and dot down to the 64th note, tuplets,
/// quarter tones, ties, staccato and slurs, and tempo and instrument changes.
inline std::vector<std::string> scoreTexts() {
    std::vector<std::string> texts;
    for (const char* name : {"AmazingGrace", "FrereJacques", "Greensleeves", "MinuetInG",
                             "OdeToJoy", "RastBayatiStudy", "TwinkleTwinkle"}) {
        std::ifstream in(std::string(NOTARO_SOURCE_DIR) + "/data/samples/" + name + ".NTR");
        texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (const char* body : {
             // Every value and dot down to the 64th note, rests between.
             "0c 0.d 1e 1.f 1..g 2a 2.b 2..c 4d 4.e 4..f 8g 8.a 8..b 16c 16.d 16..e 32f 32.g "
             "64a 64b 8: 4: 2: 1: |",
             // Tuplets of 3, 6 and 12, sextuplets of 24, and straight notes after them.
             "3c 3d 3e | 6c 6d 6e 12f 12g 12a 12b 12c 12d | 24c 24d 24e 24f 24g 24a 4b 2c |",
             // Quarter tones, sharps and flats in every octave, rests.
             "4c+ 4: 4e~ 8: 8b- | 4CCCC 4ccccc# 4BB- 4G~ |",
             // Ties within and across bars, staccato and slurs.
             "2c[ 4c 8c] 8d | 1e[ | 2e] 2: | 4c( 4d) 8e' 8f' 4g' |",
             // Tempo and instrument changes, also mid-bar.
             "*t[90]\n*i[40]\n4c 4d\n*t[133]\n4e 4f |\n*i[0]\n2g 2a |",
             // No bar line at all, notes across where a 4/4 bar would end.
             "4c 2d 2e 4f 8g 8a 1.b",
         })
        texts.push_back(std::regex_replace(std::string("**n[a-b-c]\n") + body + "\n",
                                           std::regex("\n"), "\r\n"));
    return texts;
}

} // namespace interchangeTest
