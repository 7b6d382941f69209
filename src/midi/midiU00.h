#pragma once

#include <cstdint>
#include <string>

namespace notaro {

/// Byte-level encodings shared by the MIDI track and file objects.
/// Byte strings are std::string values that may hold any byte, 0 included.
/// Read positions count from 1 and name the next byte to read.
namespace midiU00 {

/// The byte of data at pos; pos advances by 1.
/// Throws MidiArgumentError when pos is outside data.
uint8_t midiGetByte(const std::string& data, int32_t& pos);

/// A variable-length quantity read at pos; pos advances past it.
/// Throws MidiOverflowError beyond 2^31 - 1, MidiArgumentError when data ends inside it.
int32_t midiGetVarLen(const std::string& data, int32_t& pos);

/// The first 4 bytes of s as a big-endian signed 32-bit number.
/// Throws MidiArgumentError when s holds fewer than 4 bytes.
int32_t bytesToLongBE(const std::string& s);

/// The first 2 bytes of s as a big-endian signed 16-bit number.
/// Throws MidiArgumentError when s holds fewer than 2 bytes.
int16_t bytesToIntBE(const std::string& s);

/// v as 4 bytes, most significant first.
std::string longToBytesBE(int32_t v);

/// v as 2 bytes, most significant first.
std::string intToBytesBE(int16_t v);

/// The variable-length encoding of v (1 to 5 bytes).
/// Throws MidiOverflowError when v is negative.
std::string varLenBytes(int32_t v);

/// Appends the variable-length encoding of v to out; the same bytes as varLenBytes without a
/// temporary.
void appendVarLen(std::string& out, int32_t v);

/// Milliseconds spanned by ticks at tempo microseconds per quarter note and division ticks per
/// quarter note. A division below 1 is taken as 1, so a malformed header never divides by zero.
double ticksToMSecs(int32_t ticks, int32_t division, int32_t tempo);

/// The dump text of one meta event: its label, then its data as text, a number or hex.
/// eData: the meta type byte followed by the data. Throws MidiArgumentError when eData is empty.
std::string metaEvtText(const std::string& eData);

/// Each byte of s as two upper-case hexadecimal digits, without separators.
std::string bytesToHex(const std::string& s);

} // namespace midiU00

} // namespace notaro
