#include "base/FileStreamBuf.h"

#include <algorithm>

namespace notaro::base {

namespace {

constexpr int64_t kBufferSize = 64 * 1024;

} // namespace

// No larger buffer than the file, so a small file costs no more memory than it holds.
FileStreamBuf::FileStreamBuf(ReadOnlyFile& file)
    : file_(file), buffer_(static_cast<size_t>(std::clamp<int64_t>(file.size(), 1, kBufferSize))) {
    setg(nullptr, nullptr, nullptr);
}

int64_t FileStreamBuf::position() const {
    return eback() ? bufferStart_ + (gptr() - eback()) : outside_;
}

FileStreamBuf::int_type FileStreamBuf::underflow() {
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    const int64_t at = position();
    const int64_t left = file_.size() - at;
    if (left <= 0)
        return traits_type::eof();
    if (descriptorAt_ != at) {
        if (!file_.seek(at))
            return traits_type::eof();
        descriptorAt_ = at;
    }
    const auto room = static_cast<int64_t>(buffer_.size());
    const int64_t n = file_.read(buffer_.data(), static_cast<size_t>(std::min(left, room)));
    if (n <= 0)
        return traits_type::eof();
    descriptorAt_ += n;
    bufferStart_ = at;
    bufferLength_ = n;
    setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
    return traits_type::to_int_type(*gptr());
}

FileStreamBuf::pos_type FileStreamBuf::seekoff(off_type off, std::ios_base::seekdir dir,
                                               std::ios_base::openmode which) {
    if (!(which & std::ios_base::in))
        return pos_type(off_type(-1));
    int64_t from = 0;
    if (dir == std::ios_base::cur)
        from = position();
    else if (dir == std::ios_base::end)
        from = file_.size();
    return moveTo(from + static_cast<int64_t>(off));
}

FileStreamBuf::pos_type FileStreamBuf::seekpos(pos_type pos, std::ios_base::openmode which) {
    if (!(which & std::ios_base::in))
        return pos_type(off_type(-1));
    return moveTo(static_cast<int64_t>(off_type(pos)));
}

FileStreamBuf::pos_type FileStreamBuf::moveTo(int64_t target) {
    if (target < 0 || target > file_.size())
        return pos_type(off_type(-1));
    if (bufferLength_ > 0 && target >= bufferStart_ && target <= bufferStart_ + bufferLength_) {
        char* const base = buffer_.data();
        setg(base, base + (target - bufferStart_), base + bufferLength_);
    } else {
        // The bytes read so far stay, so coming back to them costs no read.
        setg(nullptr, nullptr, nullptr);
        outside_ = target;
    }
    return pos_type(off_type(target));
}

} // namespace notaro::base
