#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace notaro::text {

// Small text helpers shared by the score parser, the settings and the MIDI converter. Texts are
// UTF-8; positions that reach the user count characters, so a multi-byte character counts once.

/// Removes blanks (spaces) at both ends.
std::string_view trimBlanks(std::string_view s);
/// ASCII lower case; other bytes are kept.
std::string toLower(std::string_view s);
/// True when a and b are equal without regard to ASCII case.
bool equalsNoCase(std::string_view a, std::string_view b);
/// True when s begins with prefix without regard to ASCII case.
bool startsWithNoCase(std::string_view s, std::string_view prefix);
/// Number of characters in a UTF-8 text (bytes that do not continue a sequence).
int32_t charCount(std::string_view s);
/// The lines of a text whose lines end with CR LF, viewing the text itself: a text without
/// CR LF is one line, and a final CR LF makes one more, empty, line. A lone CR or LF stays
/// inside its line.
std::vector<std::string_view> splitCrLfLines(std::string_view text);

/// Reads a decimal number: blanks, an optional sign, digits with an optional fraction and
/// exponent, blanks. Returns false, leaving value as it was, when the text is not such a number.
bool readNumber(std::string_view s, float& value);
/// As readNumber, in double precision.
bool readNumber(std::string_view s, double& value);
/// True when the text is a number whose value equals its value rounded to a 16-bit integer.
bool isWholeNumber(std::string_view s, int32_t& value);

} // namespace notaro::text
