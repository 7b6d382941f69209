// Every sample score we ship parses without error, and is stored with CR LF line ends.
#include "ScoreEncoding.h"
#include "cTParse.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TEST(Samples, EverySampleParses) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(NOTARO_SOURCE_DIR) / "data/samples")) {
        if (entry.path().extension() != ".NTR")
            continue;
        std::stringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        EXPECT_EQ(notaro::encoding::toCrLf(bytes.str()), bytes.str()) << entry.path();
        notaro::cTParse p;
        std::string msg;
        int32_t pos = 0, len = 0;
        const std::string text = notaro::encoding::decodeScoreFile(bytes.str());
        EXPECT_EQ(p.parseAramText(text, msg, pos, len), notaro::parseCode::kOk) << msg;
        EXPECT_GT(p.nNotes(), 0) << entry.path();
        ++count;
    }
    EXPECT_GE(count, 5);
}
