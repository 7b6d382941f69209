#pragma once

#include "midiU00.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <sys/wait.h>

namespace midiTest {

/// Bytes from space-separated hexadecimal pairs ("90 3C 40").
inline std::string bytesFromHex(const std::string& hex) {
    std::istringstream in(hex);
    std::string bytes;
    for (unsigned b = 0; in >> std::hex >> b;) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

/// A track chunk around body bytes given in hex.
inline std::string trackChunk(const std::string& bodyHex) {
    const std::string body = bytesFromHex(bodyHex);
    return "MTrk" + notaro::midiU00::longToBytesBE(static_cast<int32_t>(body.size())) + body;
}

/// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string name = (std::filesystem::temp_directory_path() / "notaro-midi-XXXXXX").string();
        path_ = ::mkdtemp(name.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct CommandResult {
    int status = -1;
    std::string output;
};

/// Runs a shell command and collects its standard output and error.
inline CommandResult runCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (size_t n = 0; pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.output.append(buffer, n);
    }
    const int raw = pipe != nullptr ? ::pclose(pipe) : -1;
    result.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

/// Runs our mido script (tests/midi/midi_mido_check.py) in one of its modes on a file.
inline CommandResult runMido(const std::string& mode, const std::string& file) {
    const std::string script = std::string(NOTARO_SOURCE_DIR) + "/tests/midi/midi_mido_check.py";
    return runCommand("/usr/bin/python3 '" + script + "' " + mode + " '" + file + "'");
}

} // namespace midiTest
