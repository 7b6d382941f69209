#include "midi/ScoreToMidi.h"
#include "score/ScoreFile.h"
#include "score/ScoreTransposer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace notaro;

namespace {

tMidiF04 midiOf(const std::string& text) {
    cTParse p;
    EXPECT_TRUE(p.parseAramText(text).ok()) << text;
    tMidiF04 file;
    EXPECT_EQ(buildScoreMidi(p, ScoreMidiOptions{}, file), MidiResult::Ok);
    return file;
}

std::string midiBytes(const std::string& text) {
    return midiOf(text).makeMidiStr();
}

std::optional<std::string> transposed(const std::string& text, TransposeRequest request) {
    const TransposeResult r = transposeScore(text, request);
    return r.ok() ? std::optional(r.text) : std::nullopt;
}

/// Steps, quarter tones, flats.
const TransposeRequest kMoves[] = {{1, false, false},  {-1, false, true},  {7, false, false},
                                   {-12, false, true}, {24, false, false}, {-24, false, true},
                                   {3, true, false},   {-5, true, true},   {0, false, true}};

/// text moved and moved back plays as text did.
void expectRoundTrip(const std::string& text, const std::string& up, TransposeRequest move) {
    move.steps = -move.steps;
    EXPECT_EQ(midiBytes(transposed(up, move).value_or("")), midiBytes(text)) << up;
}

} // namespace

TEST(ScoreTransposition, EverySampleComesBackToItsMidiBytesAndTwelveRaiseEveryNoteByTwelve) {
    int32_t samples = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(NOTARO_SOURCE_DIR) + "/data/samples")) {
        const std::string text = readScoreFile(entry.path().string(), kToolScoreLimit).text;
        for (const TransposeRequest& move : kMoves) {
            const std::optional<std::string> up = transposed(text, move);
            ASSERT_TRUE(up) << move.steps << " " << entry.path();
            EXPECT_EQ(midiBytes(*up) == midiBytes(text), move.steps == 0) << move.steps;
            expectRoundTrip(text, *up, move);
        }
        // An octave up: the same events, each note's key 12 higher.
        const tMidiF04 a = midiOf(text), b = midiOf(transposed(text, {12}).value_or(""));
        const tMidiTrk &ta = *a.tracks(0), &tb = *b.tracks(0);
        ASSERT_EQ(ta.trkNEvents(), tb.trkNEvents());
        int32_t noteOns = 0;
        for (int32_t i = 0; i < ta.trkNEvents(); ++i) {
            std::string expected = ta.trkEvents(i).eData;
            const auto status = static_cast<uint8_t>(expected[0]) & 0xF0;
            if (ta.trkEvents(i).eType == 1 && (status == 0x90 || status == 0x80)) {
                noteOns += status == 0x90 && expected[2] != 0;
                expected[1] = static_cast<char>(expected[1] + 12);
            }
            EXPECT_EQ(tb.trkEvents(i).eData, expected) << i;
            EXPECT_EQ(tb.trkEvents(i).deltaTick, ta.trkEvents(i).deltaTick) << i;
        }
        EXPECT_GT(noteOns, 10);
        ++samples;
    }
    EXPECT_GE(samples, 7);
}

TEST(ScoreTransposition, EveryAccidentalAndOctaveEdgeComesBackOrIsRefusedBeyondTheRange) {
    // Letter names, and the same in solfege initials; a note moves while its pitch stays within
    // CCCC- (MIDI 11) and bbbbb# (MIDI 120).
    const std::string pitches = "CCCC- CCCC~ CCCC CCCC+ CCCC# BBBB C- Cn c~ c+ c# e+ f~ b# cc- "
                                "bbbb ccccc bbbbb- bbbbb~ bbbbb bbbbb+ bbbbb#";
    std::string solfege = pitches;
    for (char& c : solfege)
        if (const size_t i = std::string_view("CDEFGABcdefgab").find(c); i < 14)
            c = "DRMFSLTdrmfslt"[i];
    for (const bool doRe : {false, true}) {
        std::istringstream words(doRe ? solfege : pitches);
        for (std::string pitch; words >> pitch;) {
            const std::string text = (doRe ? "**n[d-r-m]\r\n4" : "**n[a-b-c]\r\n4") + pitch + " 4:";
            cNotePAO p;
            p.fromStr(pitch, doRe);
            for (const TransposeRequest& move : kMoves) {
                const float target = p.tMidi() + move.quarterToneSteps() / 2.0f;
                const std::optional<std::string> up = transposed(text, move);
                ASSERT_EQ(up.has_value(), target >= 11 && target <= 120) << text << move.steps;
                if (!up)
                    continue;
                cTParse moved;
                ASSERT_TRUE(moved.parseAramText(*up).ok()) << *up;
                EXPECT_EQ(moved.theNotes(0).notePao->tMidi(), target) << text << move.steps;
                expectRoundTrip(text, *up, move);
            }
        }
    }
}
