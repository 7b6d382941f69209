#!/usr/bin/env bash
# Plants one-line faults in a scratch copy of the tree, one at a time, and checks that the tests
# catch each of them. A developer's tool: it never touches the working tree, and it is not part
# of the README's test command (it builds the test programs once, then rebuilds one per fault).
#
# usage: tests/mutants.sh [FILTER]    only the faults whose line in the table contains FILTER
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
  cmake -S "$scratch/tree" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNOTARO_BUILD_BENCH=OFF >"$scratch/configure.log" 2>&1 ||
    { echo "configure failed: $scratch/configure.log"; exit 1; }
fi

XDG_RUNTIME_DIR=$(mktemp -d) XDG_CONFIG_HOME=$(mktemp -d) QT_QPA_PLATFORM=offscreen \
  exec python3 - "$top" "$scratch" "${1:-}" <<'PY'
import os, shutil, subprocess, sys

top, scratch, wanted = sys.argv[1:]
# file ¦ exact text (found once in the file) ¦ replacement ¦ test programs that must fail
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
src/settings/OnRatios.cpp ¦ !text::readNumber(pieces[i], v)) ¦ !text::readNumber(pieces[0], v)) ¦ notaro_settings_tests
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
src/playback/TimedNote.cpp ¦ if ((flags & kNoteKeepsOn) == 0 && sounds && !gStopRequested) { ¦ if (sounds && !gStopRequested) { ¦ notaro_playback_tests
src/playback/TimedNote.cpp ¦ while (clock() < onUntilMs && !gStopRequested) ¦ while (clock() < onUntilMs) ¦ notaro_playback_tests
src/cli/Usage.cpp ¦ return ExitCode::Usage; ¦ return ExitCode::Failed; ¦ notaro_cli_tests
src/cli/PlaybackCommands.cpp ¦ return gInterrupted ? ExitCode::Interrupted : ExitCode::Done; ¦ return ExitCode::Done; ¦ notaro_cli_tests
src/cli/ScoreCommands.cpp ¦ dot == std::string::npos || dot <= nameStart ¦ dot == std::string::npos || dot < nameStart ¦ notaro_cli_tests
src/app/document/DocumentController.cpp ¦ editor_.setScoreText(std::string(text::trimBlanks(file.text))); ¦ editor_.setScoreText(file.text); ¦ notaro_app_tests
src/app/fMain.cpp ¦ [this] { enableEditControls(false); } ¦ [this] { enableEditControls(true); } ¦ notaro_app_tests
src/app/editor/LiveSyntaxCheck.cpp ¦ if (r.generation != generation_) ¦ if (false) ¦ notaro_app_tests
src/app/fMain.cpp ¦ if (editorHeight > 40) ¦ if (editorHeight > -99999) ¦ notaro_app_tests
src/controls/PropertyTable.cpp ¦ if (n < range.low || n > range.high) ¦ if (n < range.low && n > range.high) ¦ glimmer_tests
src/controls/PropertyTable.h ¦ m_mode == WithDefaults ¦ m_mode == EveryValue ¦ glimmer_tests
src/controls/chButProperties.cpp ¦ constexpr char kPictureOverChange[] = "PICO"; ¦ constexpr char kPictureOverChange[] = "PICH"; ¦ glimmer_tests
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
"""

faults = []
for line in TABLE.strip().splitlines():
    parts = [p.strip() for p in line.split("¦")]
    if len(parts) != 4:
        sys.exit(f"bad table line: {line}")
    if wanted and wanted not in line:
        continue
    faults.append(parts)

build = os.path.join(scratch, "build")
every = sorted({p for f in faults for p in f[3].split()})

def passes(program):
    run = subprocess.run([os.path.join(build, "bin", program), "--gtest_brief=1"],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=900)
    return run.returncode == 0

# Without a planted fault every program must pass, or a failure would prove nothing.
if subprocess.run(["cmake", "--build", build, "--target", *every],
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
        made = subprocess.run(["cmake", "--build", build, "--target", *programs.split()],
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
if every and subprocess.run(["cmake", "--build", build, "--target", *every],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
    os.remove(dirty)
print(f"{caught} of {len(faults)} planted faults caught")
sys.exit(0 if not missed else 1)
PY
