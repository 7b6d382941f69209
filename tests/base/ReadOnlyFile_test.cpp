// Every reader of a file a user names opens it through ReadOnlyFile: what the path is decides
// before any byte is read, and nothing waits for a pipe's writer or a device.
#include "base/ReadOnlyFile.h"
#include "midi/MidiResult.h"
#include "midi/tMidiF04.h"
#include "score/ScoreFile.h"
#include "tests/settings/TempConfig.h"

#include <cerrno>
#include <cstdio>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace notaro {
namespace {

using base::FileKind;
using Status = ScoreFileStatus;
using ReadOnlyFileTest = testing::TempConfig;

TEST_F(ReadOnlyFileTest, EveryReaderRefusesWhatIsNoRegularFileAtOnceAndSaysWhatItIs) {
    const std::string score = "**n[a-b-c]\n4c\n";
    writeFile(path("a.NTR"), score);
    writeFile(path("locked.NTR"), score);
    ::chmod(path("locked.NTR").c_str(), 0);
    const bool root = ::geteuid() == 0; // root reads whatever the mode says
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path("socket").c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    // The path, what it is, the open's error, the score reader's result, the MIDI reader's code.
    const std::tuple<std::string, FileKind, int32_t, Status, MidiResult> cases[] = {
        {path("a.NTR"), FileKind::Regular, 0, Status::Read, MidiResult::NotAChunk},
        {path("locked.NTR"), FileKind::Regular, root ? 0 : EACCES,
         root ? Status::Read : Status::CannotOpen,
         root ? MidiResult::NotAChunk : MidiResult::EndOfFile},
        {path("missing"), FileKind::Regular, ENOENT, Status::CannotOpen, MidiResult::EndOfFile},
        {dir_.string(), FileKind::Folder, 0, Status::NotAFile, MidiResult::NotARegularFile},
        {path("fifo"), FileKind::Pipe, 0, Status::NotAFile, MidiResult::NotARegularFile},
        {"/dev/null", FileKind::CharacterDevice, 0, Status::NotAFile, MidiResult::NotARegularFile},
        {path("socket"), FileKind::Socket, ENXIO, Status::NotAFile, MidiResult::NotARegularFile},
    };
    for (const auto& [p, kind, error, status, midiCode] : cases) {
        SCOPED_TRACE(p);
        const base::ReadOnlyFile file(p);
        EXPECT_EQ(file.kind(), kind);
        EXPECT_EQ(file.error(), error);
        const ScoreFileResult read = readScoreFile(p, kToolScoreLimit);
        EXPECT_EQ(read.status, status);
        EXPECT_EQ(read.kind, kind);
        EXPECT_EQ(read.text, status == Status::Read ? "**n[a-b-c]\r\n4c\r\n" : "");
        tMidiF04 midi;
        EXPECT_EQ(midi.readMidiFile(p), midiCode);
        EXPECT_EQ(midi.numOfTracks(), 1);
        EXPECT_EQ(std::filesystem::exists(p), error != ENOENT); // nothing is ever created
    }
    ::close(sock);
    // Block devices are root's alone to make; the mode is enough to name one.
    EXPECT_STREQ(base::fileKindWords(base::fileKindOfMode(S_IFBLK | 0600)), "a block device");
}

} // namespace
} // namespace notaro
