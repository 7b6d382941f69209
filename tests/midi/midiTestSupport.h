#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace midiTest {

/// Bytes from hexadecimal pairs; spaces between them are ignored ("90 3C 40").
inline std::string bytesFromHex(const std::string& hex)
{
    std::string bytes;
    std::string pair;
    for (const char c : hex) {
        if (c == ' ') {
            continue;
        }
        pair.push_back(c);
        if (pair.size() == 2) {
            bytes.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
            pair.clear();
        }
    }
    return bytes;
}

/// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "notaro-midi-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        path_ = ::mkdtemp(name.data());
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// A track chunk around body bytes given in hex.
inline std::string trackChunk(const std::string& bodyHex)
{
    const std::string body = bytesFromHex(bodyHex);
    const auto n = static_cast<uint32_t>(body.size());
    std::string chunk = "MTrk";
    chunk += static_cast<char>(n >> 24);
    chunk += static_cast<char>((n >> 16) & 0xFF);
    chunk += static_cast<char>((n >> 8) & 0xFF);
    chunk += static_cast<char>(n & 0xFF);
    return chunk + body;
}

struct CommandResult {
    int status = -1;
    std::string output;
};

/// Runs a shell command and collects its standard output and error.
inline CommandResult runCommand(const std::string& command)
{
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, n);
    }
    const int raw = ::pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

/// Runs our mido script (tests/midi/midi_mido_check.py) in one of its modes on a file.
inline CommandResult runMido(const std::string& mode, const std::string& file)
{
    const std::string script = std::string(NOTARO_SOURCE_DIR) + "/tests/midi/midi_mido_check.py";
    return runCommand("/usr/bin/python3 '" + script + "' " + mode + " '" + file + "'");
}

}  // namespace midiTest
