#pragma once

#include "base/ReadOnlyFile.h"

#include <cstdint>
#include <streambuf>
#include <vector>

namespace notaro::base {

/// The bytes of a regular ReadOnlyFile as a std::streambuf, so that a reader written for
/// std::istream reads a file that was looked at before any byte of it was read.
///
/// The stream holds the file's first size() bytes, as many as it had when it was opened (from the
/// start, whatever was read from the file before): a file that grows while it is read does not
/// keep its reader going. Seeking works within those bytes; a seek that lands inside the bytes
/// already read reads nothing again, so asking how much is left (a seek to the end and back)
/// costs no read.
class FileStreamBuf : public std::streambuf {
public:
    explicit FileStreamBuf(ReadOnlyFile& file);

protected:
    int_type underflow() override;
    pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                     std::ios_base::openmode which) override;
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

private:
    int64_t position() const;
    pos_type moveTo(int64_t target);

    ReadOnlyFile& file_;
    std::vector<char> buffer_;
    int64_t bufferStart_ = 0; ///< file offset of buffer_[0]
    int64_t bufferLength_ = 0;
    int64_t outside_ = 0;       ///< the position while the get area is off the buffer
    int64_t descriptorAt_ = -1; ///< where the next read of the file starts; -1: unknown
};

} // namespace notaro::base
