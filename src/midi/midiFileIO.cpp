#include "midi/midiFileIO.h"

#include <algorithm>

namespace notaro {

namespace {

// Unknown stream sizes are read in pieces of this size, so memory follows the bytes that really
// arrive.
constexpr int64_t kPieceSize = 64 * 1024;

} // namespace

int64_t streamBytesRemaining(std::istream& in) {
    if (!in) {
        return 0;
    }
    const auto here = in.tellg();
    if (here < 0) {
        in.clear();
        return -1;
    }
    in.seekg(0, std::ios::end);
    const auto end = in.tellg();
    in.seekg(here);
    if (end < 0 || !in) {
        in.clear();
        in.seekg(here);
        return -1;
    }
    return static_cast<int64_t>(end - here);
}

bool readStreamBytes(std::istream& in, int64_t n, std::string& out) {
    out.clear();
    if (n <= 0) {
        return n == 0;
    }
    const int64_t remaining = streamBytesRemaining(in);
    if (remaining >= 0 && remaining < n) {
        skipStreamBytes(in, remaining);
        return false;
    }
    if (remaining >= 0) {
        out.resize(static_cast<size_t>(n));
        in.read(out.data(), static_cast<std::streamsize>(n));
        out.resize(static_cast<size_t>(in.gcount()));
        return static_cast<int64_t>(out.size()) == n;
    }
    while (static_cast<int64_t>(out.size()) < n) {
        const int64_t piece = std::min(kPieceSize, n - static_cast<int64_t>(out.size()));
        const size_t old = out.size();
        out.resize(old + static_cast<size_t>(piece));
        in.read(out.data() + old, static_cast<std::streamsize>(piece));
        out.resize(old + static_cast<size_t>(in.gcount()));
        if (in.gcount() < piece) {
            return false;
        }
    }
    return true;
}

bool skipStreamBytes(std::istream& in, int64_t n) {
    if (n <= 0) {
        return n == 0;
    }
    const int64_t remaining = streamBytesRemaining(in);
    if (remaining >= 0) {
        const int64_t step = std::min(remaining, n);
        in.seekg(static_cast<std::streamoff>(step), std::ios::cur);
        return step == n && static_cast<bool>(in);
    }
    in.ignore(static_cast<std::streamsize>(n));
    return in.gcount() == n;
}

} // namespace notaro
