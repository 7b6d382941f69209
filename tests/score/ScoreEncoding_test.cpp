#include "score/ScoreEncoding.h"

#include <gtest/gtest.h>

using namespace notaro::encoding;

TEST(ScoreEncoding, LineEndsUtf8AndWindows1252) {
    EXPECT_EQ(toCrLf("a\nb\r\nc\rd\n"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(toCrLf("\r\r\n\n"), "\r\n\r\n\r\n");
    // The shortest form of U+0080, U+0800, U+10000; the first code points after the surrogates.
    for (const char* good : {"caf\xC3\xA9 \xE2\x99\xAA \xF0\x9D\x84\x9E", "\xC2\x80",
                             "\xE0\xA0\x80", "\xF0\x90\x80\x80", "\xEE\x80\x80"})
        EXPECT_TRUE(isValidUtf8(good)) << good;
    // Windows-1252 é (also as the eighth byte of a run of plain ones), overlong "/", the first
    // and last surrogate, past U+10FFFF, cut short.
    for (const char* bad : {"caf\xE9", "abcdefg\xE9", "\xC0\xAF", "\xED\xA0\x80", "\xED\xBF\xBF",
                            "\xF4\x90\x80\x80", "\xE2\x99"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    EXPECT_EQ(cp1252ToUtf8("caf\xE9 \x80 \x93x\x94 \x96\x97"),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D \xE2\x80\x93\xE2\x80\x94");
    EXPECT_EQ(decodeScoreFile("!! caf\xE9\n**n[a-b-c]\n"), "!! caf\xC3\xA9\r\n**n[a-b-c]\r\n");
    EXPECT_EQ(decodeScoreFile("\xEF\xBB\xBF**n[a-b-c]\n4c"), "**n[a-b-c]\r\n4c");
}
