// Every program part that writes a file, under every disk failure the seam can plant: the part
// reports the failure its header promises, the old file keeps every byte and no temporary file
// is left, whether the file system offers unnamed temporary files or not; temporary files of
// killed writers are cleared by the next write.
#include "app/document/DocumentFile.h"
#include "base/AtomicFile.h"
#include "base/ScopedFileSystemOps.h"
#include "cli/ScoreCommands.h"
#include "midi/ScoreToMidi.h"
#include "midi/tMidiF04.h"
#include "playback/WavFile.h"
#include "settings/OnRatios.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace notaro {
namespace {

namespace fs = std::filesystem;

enum Fault {
    kNone,
    kFullDisk,
    kReadOnlyFolder,
    kTargetIsFolder,
    kHalfWrite,
    kRenameFails,
    kModeFails,
    kSyncFails,
    kCloseFails // the last two: a delayed write error seen at the end
};
/// The error each fault gives, which the score text writer passes on.
const int32_t kFaultErrno[] = {0, ENOSPC, EACCES, EISDIR, EIO, EXDEV, EPERM, EIO, ENOSPC};

/// The real system calls, but for the one fault planted.
class FaultyOps : public base::FileSystemOps {
public:
    FaultyOps(Fault fault, bool unnamedFiles) : fault_(fault), unnamedFiles_(unnamedFiles) {}
    int open(const char* path, int flags, mode_t mode) override {
        const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
        if (fault_ == kReadOnlyFolder && ((flags & O_CREAT) || unnamed))
            return errno = EACCES, -1;
        if (unnamed && !unnamedFiles_)
            return errno = EOPNOTSUPP, -1;
        return FileSystemOps::open(path, flags, mode);
    }
    ssize_t write(int fd, const void* data, size_t size) override {
        if (fault_ == kFullDisk || (fault_ == kHalfWrite && wrote_))
            return errno = kFaultErrno[fault_], -1;
        wrote_ = true;
        return FileSystemOps::write(fd, data, fault_ == kHalfWrite ? (size + 1) / 2 : size);
    }
    int rename(const char* from, const char* to) override {
        return fault_ == kRenameFails ? (errno = EXDEV, -1) : FileSystemOps::rename(from, to);
    }
    int fchmod(int fd, mode_t mode) override {
        return fault_ == kModeFails ? (errno = EPERM, -1) : FileSystemOps::fchmod(fd, mode);
    }
    int fsync(int fd) override {
        return fault_ == kSyncFails ? (errno = EIO, -1) : FileSystemOps::fsync(fd);
    }
    int close(int fd) override {
        const int rc = FileSystemOps::close(fd);
        return fault_ == kCloseFails ? (errno = ENOSPC, -1) : rc;
    }

private:
    Fault fault_;
    bool unnamedFiles_;
    bool wrote_ = false;
};

const std::string kScore = "**n[a-b-c]\r\n4c 4d 8e 8f 2g\r\n";

const cTParse& parsedScore() {
    static const cTParse parser = [] {
        cTParse p;
        EXPECT_TRUE(p.parseAramText(kScore).ok());
        return p;
    }();
    return parser;
}

struct Writer {
    const char* name;
    const char* file; ///< in the folder where saveOnRatios puts para.ini
    std::function<int32_t(const std::string& path)> run;
    int32_t ok, failed; ///< the caller's results; failed -1: the fault's own error number
};

const Writer kWriters[] = {
    {"score text", "s.NTR",
     [](const std::string& p) {
         return app::documentFile::writeTextFile(QString::fromStdString(p), kScore);
     },
     0, -1},
    {"scoreToMidiFile", "s.mid",
     [](const std::string& p) {
         return code(scoreToMidiFile(p, parsedScore(), ScoreMidiOptions()));
     },
     code(MidiResult::Ok), code(MidiResult::ScoreFileNotWritten)},
    {"toFile", "f.mid",
     [](const std::string& p) {
         tMidiF04 file;
         const MidiResult built = buildScoreMidi(parsedScore(), ScoreMidiOptions(), file);
         return code(built == MidiResult::Ok ? file.toFile(p) : built);
     },
     code(MidiResult::FileWritten), code(MidiResult::FileNotWritten)},
    {"notaro-cli midi", "c.mid",
     [](const std::string& p) {
         const fs::path score = fs::path(p).parent_path().parent_path() / "c.NTR";
         std::ofstream(score, std::ios::binary) << kScore;
         std::ostringstream out, err;
         const int rc = exitStatus(cli::runMidi({"-o", p, score.string()}, out, err));
         EXPECT_EQ(err.str(), rc == 0 ? "" : "Failed to save as Midi.\n");
         return rc;
     },
     0, 1},
    {"WAV render", "r.wav",
     [](const std::string& p) {
         playback::WavFile wav(p, 8000, 2);
         const std::vector<int16_t> samples(20000, 1234);
         return int32_t{wav.open() && wav.write(samples.data(), samples.size()) && wav.commit()};
     },
     1, 0},
    {"saveOnRatios", "para.ini",
     [](const std::string&) { return int32_t{saveOnRatios(OnTimeRatios())}; }, 1, 0},
};

TEST(AtomicFile, EveryWriterSurvivesEveryFault) {
    const fs::path root = fs::temp_directory_path() / ("notaro-faults-" + std::to_string(getpid()));
    const fs::path folder = root / "notaro";
    ::setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    const std::string old("old bytes\r\n\0\xff kept", 19);
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ::waitpid(gone, nullptr, 0);
    for (const Writer& w : kWriters) {
        for (int i = 0; i < 2 * (kCloseFails + 1); ++i) {
            const Fault fault = Fault(i / 2);
            const bool unnamedFiles = i % 2;
            SCOPED_TRACE(std::string(w.name) + (unnamedFiles ? ", unnamed" : ", named") +
                         ", fault: " + (fault ? strerror(kFaultErrno[fault]) : "none"));
            fs::remove_all(root);
            const fs::path target = folder / w.file;
            const fs::path oldFile = fault == kTargetIsFolder ? target / "inside" : target;
            fs::create_directories(oldFile.parent_path());
            std::ofstream(oldFile, std::ios::binary) << old;
            // A killed writer's temporary file goes; one of a running process stays.
            const std::string live = "." + std::string(w.file) + ".1.7.tmp";
            if (fault != kTargetIsFolder) {
                std::ofstream(folder /
                              ("." + std::string(w.file) + "." + std::to_string(gone) + ".42.tmp"));
                std::ofstream(folder / live);
            }
            FaultyOps ops(fault, unnamedFiles);
            base::ScopedFileSystemOps seam(ops);
            const int32_t rc = w.run(target.string());
            EXPECT_EQ(rc, fault == kNone ? w.ok : w.failed == -1 ? kFaultErrno[fault] : w.failed);
            std::ifstream in(oldFile, std::ios::binary);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}) == old, fault != kNone);
            std::set<std::string> left;
            for (const auto& entry : fs::directory_iterator(folder))
                left.insert(entry.path().filename().string());
            if (fault == kTargetIsFolder)
                EXPECT_EQ(left, std::set<std::string>{w.file});
            else
                EXPECT_EQ(left, (std::set<std::string>{w.file, live}));
        }
    }
    ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(root);
}

std::string contentOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the writer keeps of the file it replaces and what it refuses to replace at all.
TEST(AtomicFile, KeepsModeFollowsRelativeLinksTakesLongNamesAndRefusesWhatItMustNotReplace) {
    const fs::path root = fs::temp_directory_path() / ("notaro-atomic-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "a");
    fs::create_directories(root / "b");
    const fs::path file = root / "b" / "f";
    std::ofstream(file) << "old";
    ASSERT_EQ(::chmod(file.c_str(), 02640), 0); // set-group-ID: a mode bit above 0777
    fs::create_symlink("../b/f", root / "a" / "link");
    EXPECT_EQ(base::writeFileAtomically((root / "a" / "link").string(), "new"), 0);
    EXPECT_TRUE(fs::is_symlink(root / "a" / "link"));
    EXPECT_EQ(contentOf(file), "new");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 02640u);

    const fs::path longName = root / std::string(255, 'n'); // NAME_MAX bytes
    EXPECT_EQ(base::writeFileAtomically(longName.string(), "long"), 0);
    EXPECT_EQ(contentOf(longName), "long");
    ASSERT_EQ(::mkfifo((root / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(base::writeFileAtomically((root / "fifo").string(), "x"), EINVAL);

    // A write-protected file in a folder anyone may write to; root ignores the protection, so
    // the check runs as nobody.
    const fs::path guarded = root / "guarded";
    std::ofstream(guarded) << "kept";
    fs::permissions(guarded,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(root, fs::perms::all);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                std::_Exit(3);
            std::_Exit(base::writeFileAtomically(guarded.string(), "lost") == EACCES ? 0 : 4);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(contentOf(guarded), "kept");
    fs::remove_all(root);
}

} // namespace
} // namespace notaro
