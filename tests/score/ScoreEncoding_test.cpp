#include "ScoreEncoding.h"

#include <gtest/gtest.h>

using namespace notaro::encoding;

TEST(ScoreEncoding, LineEndsBecomeCrLf) {
    EXPECT_EQ(toCrLf("a\nb\r\nc\rd\n"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(toCrLf("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(toCrLf(""), "");
}

TEST(ScoreEncoding, Utf8Validation) {
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("caf\xC3\xA9 \xE2\x99\xAA \xF0\x9D\x84\x9E"));
    EXPECT_FALSE(isValidUtf8("caf\xE9"));          // Windows-1252 é
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE2\x99"));         // cut short
}

TEST(ScoreEncoding, Windows1252IsDecoded) {
    EXPECT_EQ(cp1252ToUtf8("caf\xE9 \x80 \x93x\x94"),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D");
    EXPECT_EQ(decodeScoreFile("!! caf\xE9\n**n[a-b-c]\n"), "!! caf\xC3\xA9\r\n**n[a-b-c]\r\n");
    EXPECT_EQ(decodeScoreFile("\xEF\xBB\xBF**n[a-b-c]\n4c"), "**n[a-b-c]\r\n4c");
}
