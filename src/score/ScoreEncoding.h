#pragma once

#include <string>
#include <string_view>

namespace notaro::encoding {

// Score files on disk may be UTF-8 or, when written by older tools, Windows-1252, and may
// end their lines with LF, CR or CR LF. The parser wants UTF-8 with CR LF line ends.

/// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
/// U+10FFFF).
bool isValidUtf8(std::string_view bytes);
/// Windows-1252 bytes as UTF-8.
std::string cp1252ToUtf8(std::string_view bytes);
/// Turns LF and lone CR line ends into CR LF; CR LF stays as it is.
std::string toCrLf(std::string_view text);
/// The bytes of a score file as parser input: UTF-8 (a leading byte-order mark dropped) or
/// else Windows-1252 decoded, with CR LF line ends.
std::string decodeScoreFile(std::string_view bytes);

} // namespace notaro::encoding
