#pragma once

#include <ostream>
#include <string>

/// Runs "notaro-cli dump FILE.mid": reads the Standard MIDI File at path and prints its text dump
/// to out with LF line ends. When the read fails, prints what was read, then "FILE: cannot read
/// MIDI file (code N)" to err. Result: the exit status, 0 for a clean read, 1 otherwise.
int runDump(const std::string& path, std::ostream& out, std::ostream& err);
