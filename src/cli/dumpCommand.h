#pragma once

#include <ostream>
#include <string>

/// Runs "notaro-cli dump FILE.mid": reads the Standard MIDI File at path and prints its text dump
/// to out with LF line ends. When the read fails, prints only what was read (nothing before a
/// complete header), then "FILE: cannot read MIDI file: WORDS (code N)" to err, WORDS being
/// resultText of the MidiResult whose number is N, or what the path is ("it is a folder") for
/// a path that names no regular file, which is refused before any read. Result: the exit
/// status, notaro::cli::exitCode::kDone for a clean read, kFailed otherwise.
int runDump(const std::string& path, std::ostream& out, std::ostream& err);
