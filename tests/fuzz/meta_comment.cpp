// The reader of "!!$TYPE, TEXT" comments, which become text events of the MIDI files we write.
#include "score/MetaComment.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace notaro;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line = fuzz::bytesOf(data, size);
    int32_t type = 0;
    std::string text;
    if (!parseMetaComment(line, type, text))
        return 0;
    require(type >= 1 && type <= 7, "a meta comment names a text event type");
    require(text.size() + 4 <= line.size() && text.find('\t') == std::string::npos &&
                (text.empty() || (text.front() != ' ' && text.back() != ' ')),
            "a meta comment's text comes from its line, without tabs or blanks around it");
    return 0;
}
