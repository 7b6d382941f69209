#pragma once

#include "cli/ExitCodes.h"

#include <ostream>
#include <string>

/// Runs "notaro-cli dump FILE.mid": reads the Standard MIDI File at path and prints its text dump
/// to out with LF line ends. When the read fails, prints only what was read (nothing before a
/// complete header), then "FILE: cannot read MIDI file: WORDS (code N)" to err, WORDS being
/// resultText of the MidiResult whose number is N, or what the path is ("it is a folder") for
/// a path that names no regular file, which is refused before any read. Result: the exit
/// status, ExitCode::Done for a clean read, Failed otherwise.
notaro::cli::ExitCode runDump(const std::string& path, std::ostream& out, std::ostream& err);
