// Every sample score we ship parses without error.
#include "ScoreEncoding.h"
#include "cTParse.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TEST(Samples, EverySampleParses) {
    const fs::path dir = fs::path(NOTARO_SOURCE_DIR) / "data" / "samples";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".NTR")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        const std::string bytes = ss.str();
        // Samples are stored as the original program wrote its documents: CR LF line ends.
        EXPECT_EQ(notaro::encoding::toCrLf(bytes), bytes) << entry.path();
        notaro::cTParse p;
        std::string msg;
        int32_t pos = 0, len = 0;
        EXPECT_EQ(p.parseAramText(notaro::encoding::decodeScoreFile(bytes), msg, pos, len), 0)
            << entry.path() << ": " << msg;
        EXPECT_GT(p.nNotes(), 0) << entry.path();
        ++count;
    }
    EXPECT_GE(count, 5);
}
