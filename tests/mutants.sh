#!/usr/bin/env bash
# Plants one-line faults in a scratch copy of the tree, one at a time, and checks that the tests
# catch each of them. A developer's tool: it never touches the working tree, and it is not part
# of the README's test command (it builds the test programs once, then rebuilds one per fault).
#
# usage: tests/mutants.sh [FILTER...]    only the faults whose line in the table contains a FILTER
# The scratch copy and its build live in $NOTARO_MUTANTS_DIR (default /tmp/notaro-mutants) and
# are kept between runs; the copy is refreshed from the working tree each time.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
scratch=${NOTARO_MUTANTS_DIR:-/tmp/notaro-mutants}

# The tracked and new files of the working tree as they are now (tar keeps their times, so the
# kept build recompiles only what changed since the last run).
rm -rf "$scratch/tree" && mkdir -p "$scratch/tree" || exit 1
(cd "$top" && git ls-files -co --exclude-standard | while IFS= read -r f; do
  [ -f "$f" ] && printf '%s\n' "$f"
done | tar -cf - -T -) | tar -C "$scratch/tree" -xf - || exit 1
# A run that stopped half-way may have left a planted fault compiled in: rebuild everything.
[ -f "$scratch/dirty" ] && find "$scratch/tree" -type f -exec touch {} +
if [ ! -f "$scratch/build/build.ninja" ]; then
  CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work} cmake -S "$scratch/tree" -B "$scratch/build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNOTARO_BUILD_BENCH=OFF \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >"$scratch/configure.log" 2>&1 ||
    { echo "configure failed: $scratch/configure.log"; exit 1; }
fi

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work}
XDG_RUNTIME_DIR=$(mktemp -d) XDG_CONFIG_HOME=$(mktemp -d) QT_QPA_PLATFORM=offscreen \
  exec python3 - "$top" "$scratch" "$@" <<'PY'
import os, shutil, subprocess, sys

top, scratch, wanted = sys.argv[1], sys.argv[2], sys.argv[3:]
# file ¦ exact text (found once in the file) ¦ replacement ¦ test programs that must fail;
# a line starting with "#" names the group of rows that follows it
TABLE = """
src/base/TextUtil.cpp ¦ if (!s.empty() && (s.front() == '+' || s.front() == '-')) { ¦ if (!s.empty() && s.front() == '-') { ¦ notaro_settings_tests
src/base/TextUtil.cpp ¦ if (!(rounded >= -32768.0f && rounded <= 32767.0f) || rounded != v) ¦ if (!(rounded >= -32768.0f && rounded <= 40000.0f) || rounded != v) ¦ notaro_score_tests
src/base/TextUtil.cpp ¦ text.remove_prefix(end + 2); ¦ text.remove_prefix(end + 1); ¦ notaro_score_tests
src/base/NumberText.h ¦ if (r.ec != std::errc() || r.ptr != end) ¦ if (r.ec != std::errc()) ¦ notaro_settings_tests
src/base/ReadOnlyFile.cpp ¦ if (errno != EINTR) { ¦ if (true) { ¦ notaro_score_tests
src/base/FileStreamBuf.cpp ¦ return eback() ? bufferStart_ + (gptr() - eback()) : outside_; ¦ return eback() ? bufferStart_ : outside_; ¦ notaro_midi_tests
src/score/ScoreFile.cpp ¦ if (file.kind() != base::FileKind::Regular) ¦ if (false) ¦ notaro_read_only_file_tests
src/score/ScoreFile.cpp ¦ if (file.size() > limit.bytes) ¦ if (false) ¦ notaro_score_tests
src/score/ScoreFile.cpp ¦ text::charCount(result.text) > limit.characters) ¦ text::charCount(result.text) >= limit.characters) ¦ notaro_score_tests notaro_app_tests
src/score/cDuration.cpp ¦ while (Comp(dur2) != -1) { ¦ while (Comp(dur2) == 1) { ¦ notaro_score_tests
src/score/cTParseNotes.cpp ¦ if (insideTie && rule.startInsideTie) ¦ if (false && rule.startInsideTie) ¦ notaro_score_tests
src/score/cTParseNotes.cpp ¦ if (tieOpen_ && (!lastPitch_ || !note.pitch.isEqualTo(*lastPitch_))) ¦ if (tieOpen_ && !lastPitch_) ¦ notaro_score_tests
src/score/cTParseDefinitions.cpp ¦ if (++expandedLines_ > kMaxExpandedLines) { ¦ if (++expandedLines_ >= kMaxExpandedLines) { ¦ notaro_score_tests
src/settings/IniDocument.cpp ¦ (v.front() == '"' || v.front() == '\\'') ¦ (v.front() == '"') ¦ notaro_settings_tests
src/settings/cInifile.cpp ¦ n = INT32_MAX; ¦ n = INT32_MAX - 1; ¦ notaro_settings_tests
src/settings/OnRatios.cpp ¦ if (count != read.size()) ¦ if (count > read.size()) ¦ notaro_settings_tests
src/midi/tMidiTrk.cpp ¦ if (length < 1) { ¦ if (length < 0) { ¦ notaro_midi_tests
src/midi/tMidiF04.cpp ¦ if (length < 6) { ¦ if (length < 5) { ¦ notaro_midi_tests
src/midi/midiU00.cpp ¦ if (type >= 0x01 && type <= 0x07) { ¦ if (type >= 0x01 && type <= 0x06) { ¦ notaro_midi_tests
src/midi/tMidiTrk.cpp ¦ } else if (cents > 199) { ¦ } else if (cents > 200) { ¦ notaro_midi_tests
src/midi/ScoreToMidi.cpp ¦ const int32_t firstDelta = d > 1 ? 1 : d; ¦ const int32_t firstDelta = d > 1 ? 0 : d; ¦ notaro_midi_tests
src/midi/tMidiF04.cpp ¦ if (hdrNTracks_ < 1) { ¦ if (hdrNTracks_ < 0) { ¦ notaro_midi_tests
src/midi/midiFileIO.cpp ¦ if (remaining >= 0 && remaining < n) { ¦ if (remaining >= 0 && remaining < 0) { ¦ midiAllocationTest
src/midi/tMidiTrk.cpp ¦ const bool oneDataByte = status >= 0xC0 && status <= 0xDF; ¦ const bool oneDataByte = status >= 0xC0 && status <= 0xCF; ¦ midiMidoCheckTest
src/midi/MidiResult.h ¦ EndOfFile = 62, ¦ EndOfFile = 63, ¦ notaro_cli_tests
src/midi/MidiResult.h ¦ NoTracksDeclared = -3, ¦ NoTracksDeclared = -30, ¦ notaro_cli_tests
src/midi/OnTimeRatio.cpp ¦ return table[table.size() - 1]; ¦ return table[0]; ¦ notaro_midi_tests
src/playback/RtMidiPortOut.cpp ¦ const std::string wanted = lower(part); ¦ const std::string wanted = part; ¦ notaro_playback_tests
src/playback/cGnsPlay.cpp ¦ nearest(60000.0 / (qnpm / 4.0)) ¦ nearest(60000.0 / (qnpm / 2.0)) ¦ notaro_playback_tests
src/playback/MidiOutDevice.cpp ¦ sounding_.sent(msg); ¦ (void)msg; ¦ notaro_playback_tests
src/playback/TimedNote.cpp ¦ if ((flags & kNoteKeepsOn) == 0 && sounds && !stop) { ¦ if (sounds && !stop) { ¦ notaro_playback_tests
src/playback/TimedNote.cpp ¦ while (clock() < onUntilMs && !stop) ¦ while (clock() < onUntilMs) ¦ notaro_playback_tests
src/cli/Usage.cpp ¦ return ExitCode::Usage; ¦ return ExitCode::Failed; ¦ notaro_cli_tests
src/cli/PlaybackCommands.cpp ¦ return gInterrupted ? ExitCode::Interrupted : ExitCode::Done; ¦ return ExitCode::Done; ¦ notaro_cli_tests
src/cli/ScoreCommands.cpp ¦ dot == std::string::npos || dot <= nameStart ¦ dot == std::string::npos || dot < nameStart ¦ notaro_cli_tests
src/app/document/DocumentController.cpp ¦ editor_.setScoreText(std::string(text::trimBlanks(file.text))); ¦ editor_.setScoreText(file.text); ¦ notaro_app_tests
src/app/fMain.cpp ¦ [this] { enableEditControls(false); } ¦ [this] { enableEditControls(true); } ¦ notaro_app_tests
src/app/editor/LiveSyntaxCheck.cpp ¦ if (r.generation != generation_) ¦ if (false) ¦ notaro_app_tests
src/app/fMain.cpp ¦ if (editorHeight > 40) ¦ if (editorHeight > -99999) ¦ notaro_app_tests
src/controls/PropertyTable.cpp ¦ if (n < range.low || n > range.high) ¦ if (n < range.low && n > range.high) ¦ glimmer_tests
src/controls/PropertyTable.h ¦ m_mode == WithDefaults ¦ m_mode == EveryValue ¦ glimmer_tests
src/controls/chButProperties.cpp ¦ Init::Keep, {}, layout, "PICO"}, ¦ Init::Keep, {}, layout, "PICH"}, ¦ glimmer_tests
src/controls/tkHLinkProperties.cpp ¦ f.setUnderline(v); ¦ f.setUnderline(!v); ¦ glimmer_tests
src/controls/ColorMath.cpp ¦ v * color.blue() / 192 ¦ v * color.blue() / 191 ¦ glimmer_tests
src/controls/OleColor.cpp ¦ return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu)); ¦ return QColor(int((value >> 16) & 0xFFu), int((value >> 8) & 0xFFu), int(value & 0xFFu)); ¦ glimmer_tests
src/controls/OleColor.cpp ¦ return (value & SystemFlag) != 0; ¦ return (value & 0x40000000u) != 0; ¦ glimmer_tests
src/controls/OleColor.cpp ¦ return {P::Active, P::Button}; // button face ¦ return {P::Active, P::Window}; // button face ¦ glimmer_tests
src/controls/MeterLogic.cpp ¦ return static_cast<int>(whole) + (g > whole ? 1 : 0); ¦ return static_cast<int>(whole); ¦ glimmer_tests
src/controls/MeterLogic.cpp ¦ return requested < minValue ? minValue * 1.1f + 1.0f : requested; ¦ return requested < minValue ? minValue : requested; ¦ glimmer_tests
src/controls/GraphRing.cpp ¦ if (--m_start < 0) ¦ if (--m_start <= 0) ¦ glimmer_tests
src/controls/GradientPalette.cpp ¦ if (direction == 2 || direction == 3) ¦ if (direction == 2) ¦ glimmer_tests
src/controls/sGraph.cpp ¦ for (int x = w - 2; x >= 1; x -= d->gridHDist) ¦ for (int x = w - 3; x >= 1; x -= d->gridHDist) ¦ glimmer_tests
src/controls/t1Cap.cpp ¦ dx = (w - right) / 2; ¦ dx = (w - right) / 3; ¦ glimmer_tests
src/controls/s2M2.cpp ¦ p.fillRect(x - 1, 9, 3, 1, pointer); ¦ p.fillRect(x - 1, 9, 2, 1, pointer); ¦ glimmer_tests
src/controls/L2M2.cpp ¦ const int left = from * d->pitch(); ¦ const int left = 0; ¦ glimmer_tests
# Faults chosen from the code by someone who did not write it or its tests.
src/base/AtomicFile.cpp ¦ if (ops.fsync(fd_) != 0) ¦ if (false) ¦ notaro_base_tests
src/base/AtomicFile.cpp ¦ if (ops.close(fd) != 0) ¦ if ((void)ops.close(fd), false) ¦ notaro_base_tests
src/base/AtomicFile.cpp ¦ if (ops.fchmod(fd_, oldMode_) != 0) ¦ if (false) ¦ notaro_base_tests
src/base/AtomicFile.cpp ¦ oldMode_ = old.st_mode & 07777; ¦ oldMode_ = old.st_mode & 0777; ¦ notaro_base_tests
src/base/AtomicFile.cpp ¦ if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) ¦ if (false) ¦ notaro_base_tests notaro_cli_tests
src/base/AtomicFile.cpp ¦ if (!S_ISREG(old.st_mode)) ¦ if (false) ¦ notaro_base_tests notaro_cli_tests
src/base/AtomicFile.cpp ¦ path = target.front() == '/' ? target : folderOf(path) + target; ¦ path = target; ¦ notaro_base_tests notaro_cli_tests
src/base/AtomicFile.cpp ¦ (void)ops.unlink(tempPath_.c_str()); ¦ (void)tempPath_; ¦ notaro_base_tests
src/base/AtomicFile.cpp ¦ constexpr size_t kMaxTempStem = 200; ¦ constexpr size_t kMaxTempStem = 255; ¦ notaro_base_tests notaro_cli_tests
src/base/ReadOnlyFile.cpp ¦ if (::stat(path.c_str(), &info) == 0) ¦ if (false) ¦ notaro_read_only_file_tests notaro_cli_tests
src/base/FileKind.cpp ¦ if (S_ISBLK(mode)) ¦ if (false) ¦ notaro_read_only_file_tests notaro_cli_tests
src/base/TextUtil.cpp ¦ if ((c & 0xC0) != 0x80) ¦ if ((c & 0xE0) != 0x80) ¦ notaro_score_tests notaro_app_tests
src/base/TextUtil.cpp ¦ if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.')) ¦ if (s.empty() || !(s.front() >= '0' && s.front() <= '9')) ¦ notaro_score_tests notaro_settings_tests
src/base/TextUtil.cpp ¦ if (!(rounded >= -32768.0f && rounded <= 32767.0f) || rounded != v) ¦ if (!(rounded >= -32768.0f && rounded <= 32767.0f)) ¦ notaro_score_tests
src/base/Nearest.h ¦ const double r = std::nearbyint(x); ¦ const double r = std::round(x); ¦ notaro_playback_tests notaro_midi_tests
src/score/ScoreEncoding.cpp ¦ if ((word & 0x8080808080808080ull) == 0) { ¦ if ((word & 0x0080808080808080ull) == 0) { ¦ notaro_score_tests
src/score/ScoreEncoding.cpp ¦ if (cp < minimum || cp > 0x10FFFF ¦ if (cp <= minimum || cp > 0x10FFFF ¦ notaro_score_tests
src/score/ScoreEncoding.cpp ¦ (cp >= 0xD800 && cp <= 0xDFFF) ¦ (cp >= 0xD800 && cp < 0xDFFF) ¦ notaro_score_tests
src/score/ScoreEncoding.cpp ¦ if (i + len > n) ¦ if (i + len >= n) ¦ notaro_score_tests
src/score/ScoreEncoding.cpp ¦ 0x2013, 0x2014, 0x02DC ¦ 0x2014, 0x2013, 0x02DC ¦ notaro_score_tests
src/score/ScoreEncoding.cpp ¦ if (c == '\\r' && i + 1 < n && text[i + 1] == '\\n') ¦ if (i + 1 < n && text[i + 1] == '\\n') ¦ notaro_score_tests
src/score/ScoreFile.cpp ¦ if (static_cast<int64_t>(bytes.size()) + n > limit.bytes) ¦ if (static_cast<int64_t>(bytes.size()) + n >= limit.bytes) ¦ notaro_score_tests notaro_app_tests
src/score/ScoreTokens.cpp ¦ if (!text::isWholeNumber(inside.substr(colon + 1), count) || count < 1) ¦ if (!text::isWholeNumber(inside.substr(colon + 1), count) || count < 0) ¦ notaro_score_tests
src/score/ScoreTokens.cpp ¦ info.kind = line.front() == '=' ? LineKind::Ignored : LineKind::BadConstruct; ¦ info.kind = LineKind::Ignored; ¦ notaro_score_tests
src/score/ScoreTokens.cpp ¦ return !trimBlanks(line).empty() && line.substr(0, 2) != "!!"; ¦ return !trimBlanks(line).empty() && trimBlanks(line).substr(0, 2) != "!!"; ¦ notaro_score_tests
src/score/cNotePAO.cpp ¦ if (k > 5) ¦ if (k > 6) ¦ notaro_score_tests
src/score/cNotePAO.cpp ¦ if (k > 4) ¦ if (k > 3) ¦ notaro_score_tests
src/score/cTParse.cpp ¦ if (!(value > 0.0f && value < 2147483648.0f) || std::trunc(value) != value) ¦ if (!(value > 0.0f && value < 2147483648.0f)) ¦ notaro_score_tests
src/score/cTParse.cpp ¦ value < 0 || value > 127) ¦ value < 0 || value > 128) ¦ notaro_score_tests
src/score/cTParse.cpp ¦ if (commentBytes_ > kMaxCommentBytes) { ¦ if (commentBytes_ >= kMaxCommentBytes) { ¦ notaro_score_tests
src/score/cTParseNotes.cpp ¦ return kInvalid; ¦ (void)kInvalid; ¦ notaro_score_tests
src/score/cTParseNotes.cpp ¦ if (insideTie && rule.endInsideTie) ¦ if (false && rule.endInsideTie) ¦ notaro_score_tests
src/score/cTParseNotes.cpp ¦ if (tieOpen) ¦ if (false) ¦ notaro_score_tests
src/score/cTParseDefinitions.cpp ¦ if (lineIndex <= definitions_.iFirst(cGSpans::kNewest)) { ¦ if (lineIndex < definitions_.iFirst(cGSpans::kNewest)) { ¦ notaro_score_tests
src/score/cTParseDefinitions.cpp ¦ if (--f.repeatsLeft == 0) { ¦ if (--f.repeatsLeft <= 1) { ¦ notaro_score_tests
src/score/cTParseQueries.cpp ¦ } else if (n == 3 && d % 2 == 0) { ¦ } else if (n == 3 && d % 4 == 0) { ¦ notaro_score_tests notaro_cli_tests
src/score/cTParseQueries.cpp ¦ int64_t{r.noteCharNum} + r.noteStrLen >= iPos) ¦ int64_t{r.noteCharNum} + r.noteStrLen > iPos) ¦ notaro_score_tests notaro_cli_tests
src/score/MetaComment.cpp ¦ const float type = std::nearbyint(value); ¦ const float type = std::round(value); ¦ notaro_score_tests notaro_midi_tests
src/score/MetaComment.cpp ¦ if (!(type >= 1 && type <= 7)) ¦ if (!(type >= 1 && type < 7)) ¦ notaro_score_tests notaro_midi_tests
src/midi/SmfStreamWriter.cpp ¦ if (delta >= 0 && delta < 0x80) { ¦ if (delta >= 0 && delta <= 0x80) { ¦ notaro_midi_tests midiMidoCheckTest
src/midi/SmfStreamWriter.cpp ¦ if (u < 0x80) { ¦ if (u <= 0x80) { ¦ notaro_midi_tests midiMidoCheckTest
src/midi/SmfStreamWriter.cpp ¦ while ((u >>= 7) != 0) ¦ if ((u >>= 7) != 0) ¦ notaro_midi_tests midiMidoCheckTest
src/midi/midiU00.cpp ¦ if (value > (std::numeric_limits<int32_t>::max() - (b & 0x7F)) / 128) { ¦ if (value >= (std::numeric_limits<int32_t>::max() - (b & 0x7F)) / 128) { ¦ notaro_midi_tests
src/midi/midiU00.cpp ¦ } else if (type == 0x20 || type == 0x21) { ¦ } else if (type == 0x20) { ¦ notaro_midi_tests notaro_cli_tests
src/midi/tMidiTrk.cpp ¦ const int nData = hi == 15 ? 0 : (hi == 12 || hi == 13) ? 1 : 2; ¦ const int nData = hi == 15 ? 0 : hi == 12 ? 1 : 2; ¦ notaro_midi_tests midiMidoCheckTest
src/midi/tMidiTrk.cpp ¦ const uint8_t c1 = b >= 0x80 ? midiGetByte(body, pos) : b; ¦ const uint8_t c1 = midiGetByte(body, pos); ¦ notaro_midi_tests midiMidoCheckTest
src/midi/tMidiTrk.cpp ¦ if (type == 0x2F) { ¦ if (type == 0x7F) { ¦ notaro_midi_tests notaro_cli_tests
src/midi/tMidiTrk.cpp ¦ if (len > static_cast<int64_t>(length) - pos + 1) { ¦ if (len >= static_cast<int64_t>(length) - pos + 1) { ¦ notaro_midi_tests
src/midi/tMidiTrk.cpp ¦ if (digits.size() < 6) { ¦ if (digits.size() < 5) { ¦ notaro_midi_tests notaro_cli_tests
src/midi/tMidiF04.cpp ¦ -static_cast<int32_t>(static_cast<int8_t>(static_cast<uint16_t>(division_) >> 8)); ¦ static_cast<int32_t>(static_cast<int8_t>(static_cast<uint16_t>(division_) >> 8)); ¦ notaro_midi_tests notaro_cli_tests
src/midi/tMidiF04.cpp ¦ tempoMS = ev.absMS; ¦ tempoMS = 0; ¦ notaro_midi_tests notaro_cli_tests
src/midi/ScoreToMidi.cpp ¦ if (lastCents_ != 0) ¦ if (false) ¦ notaro_midi_tests midiMidoCheckTest
src/midi/ScoreToMidi.cpp ¦ (us < 1 ? 1 : static_cast<int32_t>(us)) ¦ (us < 1 ? 0 : static_cast<int32_t>(us)) ¦ notaro_midi_tests
src/midi/ScoreToMidi.cpp ¦ const double us = std::nearbyint(60000000.0 / qnpm); ¦ const double us = std::round(60000000.0 / qnpm); ¦ notaro_midi_tests
src/midi/ScoreToMidi.cpp ¦ if (tiedFrom && tiedTo) { ¦ if (tiedFrom && tiedTo && false) { ¦ notaro_midi_tests midiMidoCheckTest
src/midi/ScoreToMidi.cpp ¦ (rec.slur & 2) ¦ (rec.slur & 1) ¦ notaro_midi_tests midiMidoCheckTest
src/midi/ScoreToMidi.cpp ¦ if (instrument < 0) ¦ if (instrument <= 0) ¦ notaro_midi_tests notaro_cli_tests
src/midi/OnTimeRatio.cpp ¦ return (1.0f - t) * table[i - 1] + t * table[i]; ¦ return t * table[i - 1] + (1.0f - t) * table[i]; ¦ notaro_midi_tests notaro_playback_tests
src/settings/IniDocument.cpp ¦ eol_ = "\\n"; ¦ eol_ = "\\r\\n"; ¦ notaro_settings_tests
src/settings/IniDocument.cpp ¦ if (t.empty() || t.front() == ';') ¦ if (t.empty()) ¦ notaro_settings_tests
src/settings/IniDocument.cpp ¦ && v.back() == v.front()) ¦ ) ¦ notaro_settings_tests
src/settings/OnRatios.cpp ¦ xdg && *xdg == '/') { ¦ xdg && *xdg) { ¦ notaro_settings_tests
src/playback/cGnsPlay.cpp ¦ tBase_ = checked::add(tBase_, durMs); ¦ tBase_ = clock_(); ¦ notaro_playback_tests
src/playback/cGnsPlay.cpp ¦ stopRequest_ = true; ¦ stopRequest_ = false; ¦ notaro_playback_tests notaro_cli_tests
src/playback/cGnsPlay.cpp ¦ if (patch < 0) ¦ if (patch <= 0) ¦ notaro_playback_tests notaro_cli_tests
src/playback/WavFile.cpp ¦ putLE(h + 32, static_cast<uint32_t>(channels_ * 2), 2); ¦ putLE(h + 32, static_cast<uint32_t>(channels_), 2); ¦ notaro_playback_tests
src/playback/WavFile.cpp ¦ putLE(h + 4, static_cast<uint32_t>(dataBytes_ + kHeaderBytes - 8), 4); ¦ putLE(h + 4, static_cast<uint32_t>(dataBytes_ + kHeaderBytes - 4), 4); ¦ notaro_playback_tests
src/playback/WavRenderer.cpp ¦ const auto frame = static_cast<int64_t>(std::llround(seconds * sampleRate)); ¦ const auto frame = static_cast<int64_t>(seconds * sampleRate); ¦ notaro_playback_tests
src/playback/RtMidiPortOut.cpp ¦ lower(ports[i]).find(wanted) != std::string::npos) ¦ lower(ports[i]).find(wanted) == 0) ¦ notaro_playback_tests notaro_app_tests
src/cli/ScoreCommands.cpp ¦ {{{"-o", "--output"}, &outPath}, {{"--instrument"}, nullptr, &instrument, 0, 127}}, ¦ {{{"-o", "--output"}, &outPath}, {{"--instrument"}, nullptr, &instrument, 0, 126}}, ¦ notaro_cli_tests
src/cli/CommandArgs.cpp ¦ if (value.empty()) ¦ if (false) ¦ notaro_cli_tests
src/cli/CommandArgs.cpp ¦ } else if (!a.empty() && a[0] != '-' && path.empty()) { ¦ } else if (!a.empty() && a[0] != '-') { ¦ notaro_cli_tests
src/cli/PlaybackCommands.cpp ¦ line >= 1 && column >= 1; ¦ line >= 1 && column >= 0; ¦ notaro_cli_tests
src/cli/ScoreDocument.cpp ¦ err << marker(lead, text::charCount(trimmed)) << '\\n'; ¦ err << marker(lead, static_cast<int32_t>(trimmed.size())) << '\\n'; ¦ notaro_cli_tests
src/cli/dumpCommand.cpp ¦ for (int32_t t = 0; t < file.tracksReached(); ++t) { ¦ for (int32_t t = 0; t < file.numOfTracks(); ++t) { ¦ notaro_cli_tests
# the practice tools: loop, count-in, click, tempo, ramp, panic, and their command-line options
src/playback/ClickTrack.cpp ¦ queueBeat(startMs + k * beatMs, soundMs, k % beatsPerBar_ == 0); ¦ queueBeat(startMs + k * beatMs, soundMs, k == 0); ¦ notaro_playback_tests
src/playback/ClickTrack.cpp ¦ if (beat.Comp(end) >= 0) ¦ if (beat.Comp(end) > 0) ¦ notaro_playback_tests
src/playback/ClickTrack.cpp ¦ if ((statusOf(m.msg) & 0xF0) == 0x80) ¦ if (true) ¦ notaro_playback_tests
src/playback/TempoRamp.cpp ¦ return std::min(current + stepPercent, ceilingPercent); ¦ return current + stepPercent; ¦ notaro_playback_tests
src/playback/cGnsPlay.cpp ¦ if ((rec.tie & 2) && !(looping && i == iLast)) { ¦ if (rec.tie & 2) { ¦ notaro_playback_tests
src/playback/cGnsPlay.cpp ¦ qnpm = rec.xVal; ¦ (void)rec; ¦ notaro_playback_tests notaro_cli_tests
src/playback/cGnsPlay.cpp ¦ if (!stopRequest_) // a click due as the stop came is not heard ¦ if (true) ¦ notaro_playback_tests
src/playback/cGnsPlay.cpp ¦ return static_cast<double>(options_.timeScale) * (100.0 / tempoPercent_); ¦ return static_cast<double>(options_.timeScale); ¦ notaro_playback_tests notaro_cli_tests
src/playback/cGnsPlay.cpp ¦ if (tBase_ == passStart) ¦ if (tBase_ != passStart) ¦ notaro_playback_tests notaro_cli_tests
src/playback/MidiPanic.cpp ¦ for (const uint8_t controller : {120, 123, 121}) { ¦ for (const uint8_t controller : {120, 123}) { ¦ notaro_playback_tests
src/cli/PracticeArgs.cpp ¦ ramp.isValid(); ¦ true; ¦ notaro_cli_tests
src/cli/RenderCommand.cpp ¦ if (!practice.isPlain()) { ¦ if (false) { ¦ notaro_cli_tests
src/cli/CommandArgs.cpp ¦ *option->flag = true; ¦ (void)0; ¦ notaro_cli_tests
src/app/document/DocumentController.cpp ¦ return !path.isEmpty() && writeDocument(path); ¦ return !path.isEmpty() && (writeDocument(path) || true); ¦ notaro_app_tests
src/app/document/DocumentController.cpp ¦ fileName_.mid(slash + 1); ¦ fileName_.mid(slash); ¦ notaro_app_tests
src/app/document/DocumentFile.cpp ¦ return name.contains(QLatin1Char('.')) ? path : path + ext; ¦ return path.contains(QLatin1Char('.')) ? path : path + ext; ¦ notaro_app_tests
src/app/editor/LiveSyntaxCheck.cpp ¦ if (pending_) { ¦ if (false) { ¦ notaro_app_tests
src/app/editor/LiveSyntaxCheck.cpp ¦ if (r.snapshot) { ¦ if (true) { ¦ notaro_app_tests
src/app/editor/LiveSyntaxCheck.cpp ¦ if (r.error.line <= 0) { ¦ if (r.error.line < 0) { ¦ notaro_app_tests
src/app/editor/ScoreEditor.cpp ¦ return document()->findBlockByNumber(line).position() - pairsBefore(line) + line; ¦ return document()->findBlockByNumber(line).position() - pairsBefore(line + 1) + line; ¦ notaro_app_tests
src/app/editor/ScoreHighlighter.cpp ¦ if (previous == 0 || previous == 1) ¦ if (previous == 0) ¦ notaro_app_tests
src/app/playback/PlaybackController.cpp ¦ parser.iNoteOfILineIPos(editor_.caretLineIndex() + 1, editor_.caretColumn() + 1); ¦ parser.iNoteOfILineIPos(editor_.caretLineIndex() + 1, editor_.caretColumn()); ¦ notaro_app_tests
src/app/playback/PlaybackController.cpp ¦ if (active_ && !playing_) { ¦ if (!playing_) { ¦ notaro_app_tests
src/app/playback/PlaybackController.cpp ¦ closeAfterPlay_ = false; ¦ (void)closeAfterPlay_; ¦ notaro_app_tests
src/app/playback/MidiOutputChoice.cpp ¦ if (playback::RtMidiPortOut::findPort(ports, setting) >= 0) ¦ if (playback::RtMidiPortOut::findPort(ports, setting) > 0) ¦ notaro_app_tests
src/app/document/ExportController.cpp ¦ if (!path.isEmpty() && ¦ if (true && ¦ notaro_app_tests
src/app/document/ExportController.cpp ¦ app::exportWav(dialogParent_, parser, options, path) == WavExportResult::Failed) ¦ app::exportWav(dialogParent_, parser, options, path) != WavExportResult::Done) ¦ notaro_app_tests
src/app/dialogs/fOnTimes.cpp ¦ if (!(v >= 0.1f && v <= 1.0f)) ¦ if (!(v > 0.1f && v <= 1.0f)) ¦ notaro_app_tests
src/app/dialogs/fOnTimes.cpp ¦ !check(m_txtOnStacc[i], ratios.staccato[i]) ¦ !check(m_txtOnStacc[i], ratios.normal[i]) ¦ notaro_app_tests
src/app/fMain.cpp ¦ cmbPatch_->currentIndex() : -1); ¦ cmbPatch_->currentIndex() : 0); ¦ notaro_app_tests
src/controls/MeterLogic.cpp ¦ return current - step; ¦ return current + step; ¦ glimmer_tests
src/controls/MeterLogic.cpp ¦ std::trunc(maxValue * 0.9f) ¦ std::round(maxValue * 0.9f) ¦ glimmer_tests
src/controls/ColorMath.cpp ¦ b + (255 - b) * c / 255); ¦ b + (255 - b) * c / 256); ¦ glimmer_tests
src/controls/OleColor.cpp ¦ return {P::Disabled, P::Text}; // grey text ¦ return {P::Active, P::Text}; // grey text ¦ glimmer_tests
src/controls/PropertyTable.cpp ¦ if (value >= range.low && value <= range.high) ¦ if (value > range.low && value <= range.high) ¦ glimmer_tests
src/controls/tkHLinkProperties.cpp ¦ Init::Keep, {LeftJustify, Center}, Realign}, ¦ Init::Keep, {LeftJustify, RightJustify}, Realign}, ¦ glimmer_tests
src/controls/L2M2.cpp ¦ (numLeds - 1) * ledInterSpace; } ¦ numLeds * ledInterSpace; } ¦ glimmer_tests
src/controls/L2M2.cpp ¦ * d->pitch() + d->ledInnerWidth + 2, height())); ¦ * d->pitch() + d->ledInnerWidth + 1, height())); ¦ glimmer_tests
src/controls/L2M2.cpp ¦ ledInterSpace = std::max(ledInterSpace, -1); ¦ ledInterSpace = std::max(ledInterSpace, -2); ¦ glimmer_tests
src/controls/L2M2.cpp ¦ if (w > 2 && h > 2) ¦ if (w > 3 && h > 2) ¦ glimmer_tests
src/controls/CaptionLayout.cpp ¦ ++i; // a literal ampersand ¦ (void)i; // a literal ampersand ¦ glimmer_tests
src/controls/t1FrameProperties.cpp ¦ {"TapeHeight", fixedDefault(17), ¦ {"TapeHeight", fixedDefault(16), ¦ glimmer_tests
src/controls/s2M2.cpp ¦ {"PointerBarSpace", fixedDefault(-2), ¦ {"PointerBarSpace", fixedDefault(2), ¦ glimmer_tests
src/controls/sGraph.cpp ¦ for (int x = 1; x <= w - 2; x += d->gridHDist) ¦ for (int x = 1; x < w - 2; x += d->gridHDist) ¦ glimmer_tests
# Transposition: spelling, range, marks after the pitch, ties, definitions, the command line,
# the single undo step
src/score/TransposedPitch.cpp ¦ const bool againstChoice = flats ? step > 0 : step < 0; ¦ const bool againstChoice = step < 0; ¦ notaro_score_tests
src/score/TransposedPitch.cpp ¦ if (key < kLowestKey || key > kHighestKey || std::abs(step) > 2 || ¦ if (key < kLowestKey || key > kHighestKey + 1 || std::abs(step) > 2 || ¦ notaro_score_tests notaro_midi_tests
src/score/ScoreTransposer.cpp ¦ <= 4 || marks[0] == text.back()); ¦ <= 4); ¦ notaro_score_tests
src/score/TranspositionScope.cpp ¦ if ((rec.tie & cGnsNote::kBowFromPrevious) == 0) ¦ if (true) ¦ notaro_score_tests
src/score/TranspositionScope.cpp ¦ if (keptRecordOf[t] >= 0) { ¦ if (false) { ¦ notaro_score_tests
src/score/TranspositionScope.cpp ¦ rec.lineNum != rec.noteLineNum && selectsLine(rec.lineNum); ¦ false; ¦ notaro_score_tests
src/cli/TransposeCommand.cpp ¦ if (plain.size() != (quarterTones ? 1u : 2u)) ¦ if (plain.size() < 1u) ¦ notaro_cli_tests
src/app/editor/ScoreEditor.cpp ¦ cursor.beginEditBlock(); ¦ (void)0; ¦ notaro_app_tests
# The interchange formats: the melody import (grid, tuplets, chords, bends, tempo, the line
# chosen, limits), the MusicXML writer (ties, accidentals, pickup) and the ABC note lengths
src/interchange/MelodyQuantizer.cpp ¦ if (e + 1e-6 < bestError) { ¦ if (e < bestError + 1e-6) { ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MelodyQuantizer.cpp ¦ if (meanError > static_cast<double>(MeterGrid::step(cell, best, step)) / 4) ¦ if (meanError > static_cast<double>(MeterGrid::step(cell, best, step)) / 2) ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MelodyQuantizer.cpp ¦ return a.start != b.start ? a.start < b.start : a.quarterTones > b.quarterTones; ¦ return a.start < b.start; ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MelodyQuantizer.cpp ¦ if (off > kept[i + 1].on + scale) { ¦ if (off > kept[i + 1].on) { ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MelodyQuantizer.cpp ¦ static_cast<int32_t>(std::lround(n.cents / 50.0)); ¦ n.cents / 50; ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MelodyQuantizer.cpp ¦ if (std::abs(n.cents - shift * 50) > 10) ¦ if (std::abs(n.cents - shift * 50) > 25) ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MelodyText.cpp ¦ const int64_t b = std::min(end, barEnd); ¦ const int64_t b = end; ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MelodyText.cpp ¦ if (meter.barsBefore(line.end) > maxRecords_) ¦ if (meter.barsBefore(line.end) >= maxRecords_) ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MidiImport.cpp ¦ if (std::fabs(exact - static_cast<double>(whole)) >= 0.005) { ¦ if (std::fabs(exact - static_cast<double>(whole)) >= 0.05) { ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MidiImport.cpp ¦ if (any && c.channel == kDrumChannel) ¦ if (c.channel == kDrumChannel) ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MidiImport.cpp ¦ if (file.midiHdrDivision() == 0) ¦ if (file.midiHdrDivision() == 1) ¦ notaro_interchange_tests notaro_cli_tests
src/interchange/MusicXmlWriter.cpp ¦ notations += "          <tied type=\\"start\\"/>\\n"; ¦ notations += "          <tied type=\\"stop\\"/>\\n"; ¦ notaro_interchange_tests
src/interchange/MusicXmlWriter.cpp ¦ if (alter2 != before && !tieStop) { ¦ if (alter2 != before) { ¦ notaro_interchange_tests
src/interchange/MusicXmlWriter.cpp ¦ shown.clear(); ¦ (void)shown; ¦ notaro_interchange_tests
src/interchange/MusicXmlWriter.cpp ¦ pickup = !times[0].empty() && k >= 3 && measureLengths.front() < bar; ¦ pickup = !times[0].empty() && k >= 3 && measureLengths.front() <= bar; ¦ notaro_interchange_tests
src/interchange/AbcNoteText.cpp ¦ if (gap < bestGap || (gap == bestGap && value < best)) ¦ if (gap < bestGap || (gap == bestGap && best < value)) ¦ notaro_interchange_tests
"""

faults = []
for line in TABLE.strip().splitlines():
    if line.startswith("#"):
        continue
    parts = [p.strip() for p in line.split("¦")]
    if len(parts) != 4:
        sys.exit(f"bad table line: {line}")
    if wanted and not any(w in line for w in wanted):
        continue
    faults.append(parts)

build = os.path.join(scratch, "build")
every = sorted({p for f in faults for p in f[3].split()})
# Programs a test program runs while it runs, which its build alone does not make.
RUNS = {"notaro_app_tests": ["notaro-cli", "notaro-cli-audio"],
        "notaro_cli_tests": ["notaro-cli", "notaro-cli-audio"]}

def targets(programs):
    return sorted({t for p in programs for t in [p, *RUNS.get(p, [])]})

def passes(program):
    run = subprocess.run([os.path.join(build, "bin", program), "--gtest_brief=1"],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=900)
    return run.returncode == 0

# Without a planted fault every program must pass, or a failure would prove nothing.
if subprocess.run(["cmake", "--build", build, "--target", *targets(every)],
                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
    sys.exit("the test programs do not build without a planted fault")
failing = [p for p in every if not passes(p)]
if failing:
    sys.exit("these fail without any planted fault: " + " ".join(failing))

dirty = os.path.join(scratch, "dirty")
open(dirty, "w").close()
caught, missed = 0, []
for path, old, new, programs in faults:
    source, target = os.path.join(top, path), os.path.join(scratch, "tree", path)
    text = open(source, encoding="utf-8").read()
    if text.count(old) != 1:
        print(f"BAD   {path}: found {text.count(old)} times: {old}", flush=True)
        missed.append(path)
        continue
    with open(target, "w", encoding="utf-8") as f:
        f.write(text.replace(old, new))
    verdict = "missed"
    try:
        made = subprocess.run(["cmake", "--build", build, "--target", *targets(programs.split())],
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        if made.returncode != 0:
            verdict = "no build"
        else:
            for program in programs.split():
                if not passes(program):
                    verdict = f"caught by {program}"
                    break
    except subprocess.TimeoutExpired:
        verdict = "caught (the tests hung)"
    finally:
        shutil.copy(source, target)  # the original back, newer than the mutated build
        os.utime(target)
    mark = "ok  " if verdict.startswith("caught") else "FAIL"
    print(f"{mark}  {path}: '{old}' -> '{new}' ({verdict})", flush=True)
    if verdict.startswith("caught"):
        caught += 1
    else:
        missed.append(path)

# Leave the scratch build matching the tree, so the next run starts from the real code.
if every and subprocess.run(["cmake", "--build", build, "--target", *targets(every)],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
    os.remove(dirty)
print(f"{caught} of {len(faults)} planted faults caught")
sys.exit(0 if not missed else 1)
PY
