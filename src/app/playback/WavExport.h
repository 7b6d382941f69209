#pragma once

#include "midi/ScoreToMidi.h"

#include <QString>

#include <functional>

class QWidget;

namespace notaro::app {

/// Results of exportWav.
enum class WavExportResult {
    Done = 0,      ///< the file is written
    Cancelled = 1, ///< the user cancelled; no file was written or changed
    Failed = 2,    ///< nothing was written or changed
};

/// Called on the rendering thread with each progress report (share done, 0 to 1), before the
/// dialog sees it. Lets a test hold the rendering at a known point.
using WavExportProbe = std::function<void(double)>;

/// Renders a parsed score to a 16-bit stereo WAV file with the renderer and SoundFont
/// `notaro-cli render` uses, on a worker thread. The score is converted on the calling thread;
/// the worker renders its own copy of the MIDI file and shares nothing with the caller but its
/// progress, its cancel flag and its result. The calling thread keeps running its event loop
/// meanwhile, so the window repaints; a render that takes longer than 300 ms shows a modal
/// "Exporting as WAV..." progress dialog whose Cancel button stops it within milliseconds.
/// User input before the dialog shows is held back until then, so no second command starts
/// under the render. The file is written beside its final name and renamed into place: a
/// cancelled or failed export leaves no file and never harms an old file of that name.
/// Returns only when the rendering has ended.
/// @param parser a score that parsed without error
/// @param options how the score becomes MIDI: the instrument (-1 follows the score, as Play
///        does) and the on-time ratios
/// @param path the WAV file to write
/// @return how it ended
WavExportResult exportWav(QWidget* parent, const cTParse& parser, const ScoreMidiOptions& options,
                          const QString& path, const WavExportProbe& probe = {});

} // namespace notaro::app
