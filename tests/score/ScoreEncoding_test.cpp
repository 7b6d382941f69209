#include "score/ScoreEncoding.h"

#include <gtest/gtest.h>

using namespace notaro::encoding;

TEST(ScoreEncoding, LineEndsUtf8AndWindows1252) {
    EXPECT_EQ(toCrLf("a\nb\r\nc\rd\n"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(toCrLf("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_TRUE(isValidUtf8("caf\xC3\xA9 \xE2\x99\xAA \xF0\x9D\x84\x9E"));
    // Windows-1252 é, overlong "/", a surrogate, past U+10FFFF, cut short.
    for (const char* bad : {"caf\xE9", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x99"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    EXPECT_EQ(cp1252ToUtf8("caf\xE9 \x80 \x93x\x94"),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D");
    EXPECT_EQ(decodeScoreFile("!! caf\xE9\n**n[a-b-c]\n"), "!! caf\xC3\xA9\r\n**n[a-b-c]\r\n");
    EXPECT_EQ(decodeScoreFile("\xEF\xBB\xBF**n[a-b-c]\n4c"), "**n[a-b-c]\r\n4c");
}
