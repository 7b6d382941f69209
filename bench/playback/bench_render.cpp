// Offline rendering speed: a one-minute score rendered to WAV, as a multiple of real time.
#include "midi/ScoreToMidi.h"
#include "playback/MidiSettings.h"
#include "playback/WavRenderer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

using namespace notaro;

int main() {
    // 60 s at 120 quarter notes a minute: 120 quarter notes, mixed with eighths and a chord-free
    // melody line, as a user's score would be.
    std::string text = "**n[a-b-c]\r\n*t[120]\r\n*i[0]\r\n";
    const char* bars[] = {"4c 8d 8e 4f 4g", "8a( 8b 4cc) 4g' 4e", "4.f 8e 4d 4c", "2e[ 4e] 4:"};
    for (int i = 0; i < 30; ++i)
        text += std::string(bars[i % 4]) + "\r\n";
    cTParse parser;
    if (const ParseError error = parser.parseAramText(text); !error.ok()) {
        std::fprintf(stderr, "score: %s\n", error.message.c_str());
        return 1;
    }
    tMidiF04 file;
    buildScoreMidi(parser, ScoreMidiOptions(), file);
    playback::RenderOptions options;
    options.soundFont = playback::findSoundFont();
    const std::string wav = "/tmp/notaro-bench-render-" + std::to_string(::getpid()) + ".wav";
    std::vector<double> seconds;
    playback::RenderStats stats;
    for (int run = 0; run < 5; ++run) {
        stats = {};
        const auto start = std::chrono::steady_clock::now();
        if (playback::renderMidiToWav(file, wav, options, &stats) != playback::PlaybackResult::Ok) {
            std::fprintf(stderr, "rendering failed (SoundFont %s)\n", options.soundFont.c_str());
            return 1;
        }
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::remove(wav.c_str());
    std::sort(seconds.begin(), seconds.end());
    const double audio = static_cast<double>(stats.frames) / 44100.0;
    std::printf("SoundFont %s\n", options.soundFont.c_str());
    std::printf(
        "audio %.1f s; render median %.3f s (min %.3f, max %.3f), SoundFont load included\n", audio,
        seconds[2], seconds[0], seconds[4]);
    std::printf("speed: %.0f times real time (median)\n", audio / seconds[2]);
    return 0;
}
