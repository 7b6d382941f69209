#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace notaro::base {

/// Replaces a file's whole content without ever leaving a damaged or half-written file.
///
/// The bytes go to a new file beside the target that has no name yet (O_TMPFILE), so a process
/// killed while writing leaves nothing behind. Where the file system cannot do that, the file
/// gets a random name holding our process id, created with O_EXCL so no other file or link is
/// ever written through, and the next write to the same target removes such files of
/// processes that no longer run. commit() makes the bytes reach the disk, gives the file the
/// old one's owner and mode, names it, renames it over the target and syncs the folder, so the
/// target holds either all of the old bytes or all of the new. A symbolic link is followed
/// to the file it names, so the link stays a link. An existing file that is write-protected is
/// refused, as is a folder or any file that is not a regular one. After any failure, or when
/// the object is destroyed before commit(), the temporary file is removed.
///
/// Results are 0 or an error number (errno style); after the first failure every later call
/// returns that same number. All system calls go through FileSystemOps::current().
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// Checks the target and creates the temporary file.
    int32_t open();
    /// Appends bytes to the temporary file.
    int32_t write(std::string_view bytes);
    /// Overwrites bytes already written, at offset from the file's start (a header whose sizes
    /// are known only at the end).
    int32_t writeAt(uint64_t offset, std::string_view bytes);
    /// Makes the new content the target's.
    int32_t commit();

    /// The file actually replaced: the path with its symbolic links followed (after open()).
    const std::string& target() const { return target_; }

private:
    int32_t fail(int32_t rc);
    void discard();
    /// A name beside the target for the temporary file: .<name>.<pid>.<random>.tmp
    std::string tempName() const;

    std::string target_;
    std::string tempPath_;
    int fd_ = -1;
    bool unnamed_ = false;
    int32_t error_ = 0;
    bool hasOld_ = false;
    uint32_t oldMode_ = 0;
    uint32_t oldUid_ = 0;
    uint32_t oldGid_ = 0;
};

/// Removes the temporary files that writers of target left beside it when they were killed
/// (only those of processes that no longer run); AtomicFile::open() does it for its target.
void removeStaleTemporaries(const std::string& target);

/// Replaces the file at path by bytes through an AtomicFile. @return 0, or the error number
int32_t writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace notaro::base
