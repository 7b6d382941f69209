#include "cli/RenderCommand.h"

#include "cli/CommandArgs.h"
#include "cli/ExitCodes.h"
#include "cli/PracticeArgs.h"
#include "cli/ScoreCommands.h"
#include "cli/ScoreDocument.h"
#include "cli/Usage.h"
#include "midi/ScoreToMidi.h"
#include "playback/MidiSettings.h"
#include "playback/PlayIntoMidi.h"
#include "playback/WavRenderer.h"
#include "settings/OnRatios.h"

#include <cstdio>
#include <unistd.h>

namespace notaro::cli {

namespace {

std::string defaultWavPath(const std::string& scorePath) {
    const std::string mid = defaultMidiPath(scorePath);
    return mid.substr(0, mid.size() - 4) + ".wav";
}

} // namespace

ExitCode runRender(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    std::string path, outPath, soundFont;
    int32_t instrument = -1;
    PracticeArgs practiceArgs;
    std::vector<ValueOption> valueOptions = {{{"-o", "--output"}, &outPath},
                                             {{"--soundfont"}, &soundFont},
                                             {{"--instrument"}, nullptr, &instrument, 0, 127}};
    for (ValueOption& option : practiceArgs.options())
        valueOptions.push_back(std::move(option));
    playback::PracticeOptions practice;
    if (!parseCommandArgs(args, valueOptions, path) || !practiceArgs.read(practice, err))
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(path, err) != ExitCode::Done)
        return ExitCode::Failed;
    ScoreMidiOptions midiOptions;
    midiOptions.instrument = instrument;
    for (const std::string& problem : loadOnRatios(midiOptions.ratios))
        err << problem << '\n';
    tMidiF04 file;
    if (!practice.isPlain()) {
        // Practice tools sound as play sounds them: the player's own messages are rendered.
        playback::PlayOptions playOptions;
        playOptions.patch = instrument;
        playOptions.ratios = midiOptions.ratios;
        playOptions.practice = practice;
        const cTParse& parser = doc.parser();
        if (parser.nNotes() == 0 ||
            playback::playIntoMidiFile(parser, 0, parser.nNotes() - 1, playOptions, file) !=
                playback::PlaybackResult::Ok) {
            err << "Failed to render the score.\n";
            return ExitCode::Failed;
        }
    } else if (buildScoreMidi(doc.parser(), midiOptions, file) != MidiResult::Ok) {
        err << "Failed to render the score.\n";
        return ExitCode::Failed;
    }
    playback::RenderOptions options;
    options.soundFont = soundFont.empty() ? playback::findSoundFont() : soundFont;
    if (options.soundFont.empty()) {
        err << "No SoundFont found: install fluid-soundfont-gm or give --soundfont FILE.sf2.\n";
        return ExitCode::Failed;
    }
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    if (terminal)
        options.progress = [&err](double done) {
            err << "\rRendering " << static_cast<int>(done * 100) << "%" << std::flush;
        };
    if (outPath.empty())
        outPath = defaultWavPath(path);
    const playback::PlaybackResult rc = playback::renderMidiToWav(file, outPath, options);
    if (terminal)
        err << "\n";
    if (rc == playback::PlaybackResult::NoSoundFont) {
        err << options.soundFont << ": Cannot load the SoundFont.\n";
        return ExitCode::Failed;
    }
    if (rc != playback::PlaybackResult::Ok) {
        err << outPath << ": Cannot write the file.\n";
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

} // namespace notaro::cli
