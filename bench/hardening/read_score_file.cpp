// Reads one score file as the window (limit "editor") or notaro-cli (limit "tool") reads it and
// says what became of it, so bounds.sh can measure the reader alone on a hostile file.
// usage: read_score_file editor|tool FILE
#include "score/ScoreFile.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    using notaro::ScoreFileStatus;
    if (argc != 3)
        return 2;
    const bool editor = std::strcmp(argv[1], "editor") == 0;
    const notaro::ScoreFileResult file = notaro::readScoreFile(
        argv[2], editor ? notaro::kEditorScoreLimit : notaro::kToolScoreLimit);
    const char* const words[] = {"read", "cannot open", "not a file", "too long"};
    std::fprintf(stderr, "%s: %s, %zu bytes of text\n", argv[2],
                 words[static_cast<int>(file.status)], file.text.size());
    return file.status == ScoreFileStatus::Read ? 0 : 1;
}
