#include "cli/Usage.h"

#include "cli/ExitCodes.h"

namespace notaro::cli {

const char* usageText() {
    return "usage: notaro-cli check FILE\n"
           "       notaro-cli notes [--line-numbers] [--solfege|--letters] FILE\n"
           "       notaro-cli midi [-o OUT.mid] [--instrument N] FILE\n"
           "       notaro-cli dump FILE.mid\n"
           "       notaro-cli abc [-o OUT.abc] FILE\n"
           "       notaro-cli staff -o OUT.svg|OUT.pdf FILE\n"
           "       notaro-cli import [--track N|--channel N] [--grid N] [-o OUT.NTR] FILE.mid\n"
           "       notaro-cli musicxml [-o OUT.musicxml] FILE\n"
           "       notaro-cli transpose [--flats] [-o OUT] SEMITONES|--quarter-tones N FILE\n"
           "       notaro-cli devices\n"
           "       notaro-cli play [--output NAME|trace] [--instrument N] [--from LINE[:COLUMN]]\n"
           "                       [PRACTICE] FILE\n"
           "       notaro-cli render [-o OUT.wav] [--soundfont SF2] [--instrument N] [PRACTICE] "
           "FILE\n"
           "       notaro-cli --help\n"
           "PRACTICE: [--tempo PERCENT|--ramp START:STEP:CEILING] [--loop N] [--count-in BARS]\n"
           "          [--click] [--beats N]\n";
}

ExitCode usageError(std::ostream& err) {
    err << usageText();
    return ExitCode::Usage;
}

} // namespace notaro::cli
