#include "app/playback/WavExport.h"

#include "app/shell/AppValues.h"
#include "midi/ScoreToMidi.h"
#include "playback/MidiSettings.h"
#include "playback/WavRenderer.h"

#include <QEventLoop>
#include <QFile>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <thread>

namespace notaro::app {

namespace {

/// How long a render runs before the progress dialog shows: a short score never flashes one.
constexpr int kDialogDelayMs = 300;
/// How often the dialog's bar follows the render.
constexpr int kPollMs = 50;
constexpr int kBarSteps = 1000;

/// One render, held by the worker: its own copy of everything it reads, so nothing it uses
/// belongs to the window. The calling thread only reads the progress, the end and the result
/// and raises the cancel flag.
struct RenderJob {
    tMidiF04 file;
    std::string target;
    std::string soundFont;
    WavExportProbe probe;
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
    std::atomic<int> steps{0};
    WavExportResult result = WavExportResult::Failed; // written by the worker before finished
};

WavExportResult render(RenderJob& job) {
    playback::RenderOptions options;
    options.soundFont = job.soundFont;
    options.cancel = &job.cancel;
    options.progress = [&job](double done) {
        if (job.probe)
            job.probe(done);
        job.steps = static_cast<int>(std::lround(done * kBarSteps));
    };
    const playback::PlaybackResult rc = playback::renderMidiToWav(job.file, job.target, options);
    if (rc == playback::PlaybackResult::Cancelled)
        return WavExportResult::Cancelled;
    return rc == playback::PlaybackResult::Ok ? WavExportResult::Done : WavExportResult::Failed;
}

} // namespace

WavExportResult exportWav(QWidget* parent, const cTParse& parser, const ScoreMidiOptions& options,
                          const QString& path, const WavExportProbe& probe) {
    const auto shared = std::make_shared<RenderJob>();
    RenderJob& job = *shared;
    job.target = QFile::encodeName(path).toStdString();
    job.soundFont = playback::findSoundFont();
    if (job.target.empty() || job.soundFont.empty())
        return WavExportResult::Failed;
    try {
        // Converted here, so the worker never reads the caller's parser; the slow part is the
        // render.
        if (buildScoreMidi(parser, options, job.file) != MidiResult::Ok)
            return WavExportResult::Failed;
    } catch (const std::exception&) {
        return WavExportResult::Failed;
    }
    job.probe = probe;

    QEventLoop loop;
    std::thread worker([shared, &loop] {
        try {
            shared->result = render(*shared);
        } catch (const std::exception&) {
            shared->result = WavExportResult::Failed; // out of memory: the temporary file is gone
        }
        shared->finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    // Until the dialog shows, input waits in the queue rather than reaching the window.
    QTimer::singleShot(kDialogDelayMs, &loop, &QEventLoop::quit);
    if (!job.finished)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!job.finished) {
        QProgressDialog dialog(QStringLiteral("Exporting as WAV..."), QStringLiteral("Cancel"), 0,
                               kBarSteps, parent);
        dialog.setWindowTitle(appValues().appTitle);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setAutoReset(false);
        dialog.setAutoClose(false);
        dialog.setMinimumDuration(0);
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                         [&job] { job.cancel = true; });
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
            // Also a second way out, should the worker's own quit ever be missed.
            if (job.finished)
                loop.quit();
            else if (!dialog.wasCanceled())
                dialog.setValue(std::min(job.steps.load(), kBarSteps - 1));
        });
        poll.start(kPollMs);
        dialog.show();
        if (!job.finished)
            loop.exec();
    }
    // The loop also ends when the application quits: stop the render rather than wait it out.
    if (!job.finished)
        job.cancel = true;
    worker.join();
    return job.result;
}

} // namespace notaro::app
