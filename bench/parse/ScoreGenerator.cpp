#include "bench/parse/ScoreGenerator.h"

namespace notaro::bench {

namespace {

// One bar-like line of 16 notes that is valid on its own: ties and slurs close on the line.
const char* const kLines[] = {
    "4c 8d 8e# 4.f 8g( 16a 16b- 8cc) 4cc[ 4cc] 8b~ 8a 4g 2f+ 4e' 4d",
    "8.c 16d 12e 12f 12g 4a[ 8a] 8g' 16f( 16e 16d 16c) 2D 4E- 4F 8G# 8A",
    "16c 16d 16e 16f 8g( 8a) 4b. 8cc' 3d 6e- 6f 4g~ 4g+ 2.a 8b[ 8b]",
    "4: 8c 8d( 8e 8f) 4g' 4.a 8g 4f[ 4f] 16e 16d 8c 4C 4D 2E",
};

} // namespace

std::string generateScore(int64_t notes) {
    std::string s = "!! generated score\r\n**n[a-b-c]\r\n*t[132]\r\n*i[0]\r\n";
    s += "*def[Motif]\r\n! the motif\r\n8c 8d 8e 8f 8g( 8a 8b 8cc)\r\n4cc[ 4cc] 8b' 8a 4g "
         "2f\r\n*enddef\r\n";
    int64_t made = 0;
    int64_t line = 0;
    while (made < notes) {
        if (line % 50 == 49) {
            // 20 uses of a 14-note motif.
            s += "*usedef[Motif:20]\r\n";
            made += 280;
        } else {
            if (line % 10 == 0)
                s += "! bar " + std::to_string(line) + "\r\n";
            if (line % 200 == 100)
                s += "*t[" + std::to_string(90 + line % 60) + "]\r\n";
            s += kLines[line % 4];
            s += "\r\n";
            made += 16;
        }
        ++line;
    }
    return s;
}

} // namespace notaro::bench
