// Independent reader: files we write are read by mido, files mido writes are read and timed by us.
#include "tests/midi/midiTestSupport.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

using namespace notaro;
using namespace midiTest;

namespace {

using Add = std::function<void(tMidiTrk&, int32_t)>;
// Every way of adding an event, with the message mido must see in the written file.
const std::tuple<Add, const char*, std::string> kKinds[] = {
    {[](tMidiTrk& t, int32_t d) { t.c_addTracknameE(d, "Lead"); }, "track_name", "FF03044C656164"},
    {[](tMidiTrk& t, int32_t d) { t.c_addTextE(d, "Hello"); }, "text", "FF010548656C6C6F"},
    {[](tMidiTrk& t, int32_t d) { t.c_addTextE(d, std::string(200, 'x')); }, "text",
     "FF018148" + midiU00::bytesToHex(std::string(200, 'x'))},
    {[](tMidiTrk& t, int32_t d) { t.c_addCopyrightE(d, "(c) us"); }, "copyright",
     "FF0206286329207573"},
    {[](tMidiTrk& t, int32_t d) { t.c_addInstrNameE(d, "Oboe"); }, "instrument_name",
     "FF04044F626F65"},
    {[](tMidiTrk& t, int32_t d) { t.c_addLyricE(d, "f\xC3\xBCr"); }, "lyrics", "FF050466C3BC72"},
    {[](tMidiTrk& t, int32_t d) { t.c_addNewTempo(d, 0x12345678); }, "set_tempo", "FF5103345678"},
    {[](tMidiTrk& t, int32_t d) { t.c_addProgChangeE(d, 3, 68); }, "program_change", "C344"},
    {[](tMidiTrk& t, int32_t d) { t.c_addNoteOnE(d, 3, 72, 100); }, "note_on", "934864"},
    {[](tMidiTrk& t, int32_t d) { t.c_addPitchWheelE(d, 3, "-50"); }, "pitchwheel", "E30030"},
    {[](tMidiTrk& t, int32_t d) { t.c_addNoteOffE(d, 3, 72); }, "note_off", "834800"},
    {[](tMidiTrk& t, int32_t d) { t.addChanMsg(d, 0xB3, 7, 90); }, "control_change", "B3075A"},
    {[](tMidiTrk& t, int32_t d) { t.addChanMsg(d, 0xD3, 44, 0); }, "aftertouch", "D32C"},
    {[](tMidiTrk& t, int32_t d) {
         t.addGenShortMsg(d, 0x9F + 0x24 * 256 + 0x7F * 65536 + (0x55 << 24));
     },
     "note_on", "9F247F"},
    // A meta type mido knows: mido 1.2 drops the delta time of meta types it does not know.
    {[](tMidiTrk& t, int32_t d) { t.addMetaEvent(d, 0x7F, std::string("\0\x01", 2)); },
     "sequencer_specific", "FF7F020001"},
    {[](tMidiTrk& t, int32_t d) { t.c_addEndOfTrack(d); }, "end_of_track", "FF2F00"},
};

TEST(midiMidoCheck, MidoReadsEveryKindWeWriteWithSameDeltasAndBytes) {
    TempDir dir;
    tMidiF04 f;
    f.setMidiHdrDivision(192);
    f.setNTracks(2);
    std::string expected = "header 1 2 192\n";
    const int32_t deltas[] = {0, 7, 200, 20000, 3000000}; // one to four bytes long
    size_t n = 0;
    for (const auto& [add, type, hex] : kKinds) {
        const int32_t delta = deltas[n++ % 5];
        add(*f.tracks(0), delta);
        expected += "0 " + std::string(type) + " " + std::to_string(delta) + " " + hex + "\n";
    }
    f.tracks(1)->c_addNoteOnE(5, 0, 60, 64);
    f.tracks(1)->addSysExEvt(9, bytesFromHex("F0 7E F7")); // left out, and its delta with it
    f.tracks(1)->c_addNoteOnE(7, 0, 60, 0);
    expected += "1 note_on 5 903C40\n1 note_on 7 903C00\n1 end_of_track 0 FF2F00\n";
    const std::string path = dir.file("kinds.mid");
    ASSERT_EQ(f.toFile(path), MidiResult::FileWritten);
    EXPECT_EQ(runMido("dump", path), expected);
}

TEST(midiMidoCheck, TicksAndMillisecondsOfAFileMidoWroteMatchMido) {
    TempDir dir;
    const std::string path = dir.file("foreign.mid");
    EXPECT_EQ(runMido("make", path), "");
    const std::string timed = runMido("times", path);
    tMidiF04 f;
    ASSERT_EQ(f.readMidiFile(path), MidiResult::Ok);
    EXPECT_EQ(f.tracks(0)->trkName, "Conductor");
    // We never write running status, so a longer rewrite proves the file used it.
    EXPECT_GT(f.makeMidiStr().size(), readBytes(path).size() + 20);

    // Our events in playback order (ties by track, then list order), with their bytes in a file.
    std::vector<std::tuple<int32_t, int32_t, int32_t, std::string>> ours;
    for (int32_t t = 0; t < f.numOfTracks(); ++t) {
        for (int32_t i = 0; i < f.tracks(t)->trkNEvents(); ++i) {
            const tMidiEvt& ev = f.tracks(t)->trkEvents(i);
            std::string bytes = ev.eData;
            if (ev.eType == 1 && (static_cast<uint8_t>(bytes[0]) & 0xE0) == 0xC0)
                bytes.resize(2);
            else if (ev.eType == 3)
                bytes = "\xFF" + bytes.substr(0, 1) +
                        midiU00::varLenBytes(int32_t(bytes.size() - 1)) + bytes.substr(1);
            if (bytes != bytesFromHex("FF 2F 00"))
                ours.emplace_back(ev.absTick, t, ev.absMS, midiU00::bytesToHex(bytes));
        }
    }
    std::stable_sort(ours.begin(), ours.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::istringstream lines(timed);
    size_t i = 0;
    int32_t tick = 0;
    double ms = 0;
    for (std::string hex; lines >> tick >> ms >> hex && i < ours.size(); ++i) {
        EXPECT_EQ(std::get<0>(ours[i]), tick) << i << ": " << hex;
        EXPECT_EQ(std::get<3>(ours[i]), hex) << i;
        // Tempo changes sit on whole milliseconds, so rounding is the only difference.
        EXPECT_LE(std::fabs(std::get<2>(ours[i]) - ms), 0.5 + 1e-6) << i << ": " << hex;
    }
    EXPECT_TRUE(i == ours.size() && lines.eof()) << timed;
    EXPECT_EQ(f.allLastAbsMSec(), std::get<2>(ours.back()));
}

} // namespace
