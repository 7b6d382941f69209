#pragma once

#include "midi/MidiArgumentError.h"
#include "midi/MidiOverflowError.h"
#include "midi/MidiRangeError.h"
#include "midi/ScoreToMidi.h"
#include "midi/midiU00.h"
#include "midi/tMidiF04.h"
#include "tests/common/CommandOutput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace midiTest {

inline std::string bytesFromHex(const std::string& hex) {
    std::istringstream in(hex);
    std::string bytes;
    for (unsigned b = 0; in >> std::hex >> b;)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

inline std::string trackChunk(const std::string& bodyHex) {
    const std::string body = bytesFromHex(bodyHex);
    return "MTrk" + notaro::midiU00::longToBytesBE(static_cast<int32_t>(body.size())) + body;
}

struct TempDir {
    std::filesystem::path path =
        ::mkdtemp((std::filesystem::temp_directory_path() / "notaro-midi-XXXXXX").string().data());
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string runMido(const std::string& mode, const std::string& file) {
    const std::string script = std::string(NOTARO_SOURCE_DIR) + "/tests/midi/midi_mido_check.py";
    return notaro::testing::commandOutput("/usr/bin/python3 '" + script + "' " + mode + " '" +
                                          file + "'");
}

} // namespace midiTest
