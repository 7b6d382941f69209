// Figures of the staff pane, measured on the real window with the pane open:
//  - the live check's result to the staff repainted, for every sample (an edit each time);
//  - the same for a 64000-character score, with the longest time the window's event loop was
//    held meanwhile: a 1 ms timer's largest gap, and the longest single event both in wall time
//    and in the user-interface thread's own CPU time (on a loaded machine the wall figures
//    include the time the thread waited for a core);
//  - the staff's mark of the sounding note, against the note-on's sending.
// With --screenshot PATH it instead plays a sample and saves the window, while its tenth note
// sounds, to PATH (run under Xvfb for the README's picture).
#include "app/editor/LiveSyntaxCheck.h"
#include "app/editor/ScoreEditor.h"
#include "app/fMain.h"
#include "app/playback/PlaybackController.h"
#include "app/staff/StaffPane.h"
#include "app/staff/StaffView.h"
#include "playback/RecordingMidiOut.h"
#include "playback/ShortMsg.h"
#include "score/ScoreFile.h"
#include "tests/app/ScriptedPrompts.h"

#include <glimmer/chBut.h>

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace notaro;
using namespace notaro::app;
using Clock = std::chrono::steady_clock;

namespace {

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void report(const std::string& what, std::vector<double> v) {
    if (v.empty()) {
        std::printf("%-44s no samples\n", what.c_str());
        return;
    }
    std::sort(v.begin(), v.end());
    const auto at = [&v](double q) {
        return v[std::min(v.size() - 1, size_t(q * (v.size() - 1) + 0.5))];
    };
    std::printf("%-44s median %7.2f ms  p99 %7.2f ms  max %7.2f ms  (n=%zu)\n", what.c_str(),
                at(0.5), at(0.99), v.back(), v.size());
}

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

/// Milliseconds this thread has waited, ready to run, for a core (0 where the kernel does not
/// say).
double threadRunQueueMs() {
    unsigned long long running = 0, waiting = 0;
    FILE* f = std::fopen("/proc/thread-self/schedstat", "r");
    if (!f)
        return 0;
    const int n = std::fscanf(f, "%llu %llu", &running, &waiting);
    std::fclose(f);
    return n == 2 ? static_cast<double>(waiting) / 1e6 : 0;
}

/// The application, timing each event it hands out while watching.
class TimedApp : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        if (!watching || depth_ > 0)
            return QApplication::notify(receiver, event);
        const Clock::time_point wall = Clock::now();
        const double cpu = threadCpuMs();
        ++depth_;
        const bool result = QApplication::notify(receiver, event);
        --depth_;
        longestWall = std::max(longestWall, ms(Clock::now() - wall));
        longestCpu = std::max(longestCpu, threadCpuMs() - cpu);
        return result;
    }
    bool watching = false;
    double longestWall = 0, longestCpu = 0;

private:
    int depth_ = 0;
};

/// Times from the live check's result to the staff repainted, over runs edits of text; the
/// largest gap of a 1 ms timer from the result on goes to stall, the user-interface thread's
/// CPU time during that gap to stallCpu and its time waiting for a core to stallWait.
std::vector<double> repaintTimes(fMain& window, const std::string& text, int runs, double& stall,
                                 double& stallCpu, double& stallWait) {
    std::vector<double> times;
    StaffPane& pane = window.staff();
    auto* app = static_cast<TimedApp*>(QCoreApplication::instance());
    Clock::time_point checked, last = Clock::now();
    double lastCpu = threadCpuMs(), lastWait = threadRunQueueMs();
    bool result = false;
    const QMetaObject::Connection connection =
        QObject::connect(window.liveCheck(), &LiveSyntaxCheck::snapshotChanged, &pane, [&] {
            checked = last = Clock::now();
            lastCpu = threadCpuMs();
            lastWait = threadRunQueueMs();
            result = app->watching = true;
        });
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const double gap = ms(Clock::now() - last), cpu = threadCpuMs(), wait = threadRunQueueMs();
        if (result && gap > stall) {
            stall = gap;
            stallCpu = cpu - lastCpu;
            stallWait = wait - lastWait;
        }
        last = Clock::now();
        lastCpu = cpu;
        lastWait = wait;
    });
    for (int i = 0; i < runs; ++i) {
        // Each edit adds a blank to the last line: a new text, the same music.
        window.editor()->setScoreText(text + std::string(i % 2, ' '));
        QSignalSpy rendered(&pane, &StaffPane::rendered);
        result = false;
        window.liveCheck()->timer().start(0);
        ticker.start(1);
        const bool done = rendered.wait(30000);
        ticker.stop();
        if (!done)
            break;
        pane.view().repaint();
        times.push_back(ms(Clock::now() - checked));
        app->watching = false;
    }
    QObject::disconnect(connection);
    return times;
}

std::string longScore() {
    std::string text = "**n[a-b-c]\r\n*t[120]\r\n";
    const char* bar = "8c 8d 8e~ 8f 8g 8a 8b- 8cc | 4..g 16f 3e 3d 3c | 8c#( 8d) 4e' 2f[ |\r\n"
                      "4f] 8g 8a 4b 4cc | 2.g 4: |\r\n";
    while (text.size() < 64000)
        text += bar;
    return text;
}

} // namespace

int main(int argc, char** argv) {
    TimedApp app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    test::ScriptedPrompts prompts;
    std::vector<Clock::time_point> noteOns;
    std::vector<double> markToNoteOn;
    Clock::time_point lastMark{};
    auto device = std::make_unique<playback::RecordingMidiOut>(
        playback::getTickCount, [&](const playback::TimedShortMsg& m) {
            if ((playback::statusOf(m.msg) & 0xF0) != 0x90 || playback::data2Of(m.msg) == 0)
                return;
            noteOns.push_back(Clock::now());
            if (lastMark != Clock::time_point{})
                markToNoteOn.push_back(ms(noteOns.back() - lastMark));
        });
    fMain window(prompts, std::move(device));
    window.resize(1000, 800);
    window.show();
    window.findChild<QAction*>(QStringLiteral("mnu_Tools_Staff"))->setChecked(true);
    auto* play = window.findChild<glimmer::chBut*>(QStringLiteral("cmdPlay"));
    if (argc == 3 && std::string(argv[1]) == "--screenshot") {
        double unused = 0, unusedCpu = 0;
        const std::string sample = std::string(NOTARO_SOURCE_DIR) + "/data/samples/MinuetInG.NTR";
        repaintTimes(window, readScoreFile(sample, kToolScoreLimit).text, 1, unused, unusedCpu,
                     unusedCpu);
        window.editor()->selectChars(0, 0);
        QObject::connect(&window.playback(), &PlaybackController::sounding, &window, [&] {
            if (noteOns.size() == 9) {
                window.repaint();
                window.grab().save(QString::fromLocal8Bit(argv[2]));
                window.playback().stop();
            }
        });
        QTest::mouseClick(play, Qt::LeftButton);
        (void)QTest::qWaitFor([&] { return !window.playback().isPlaying() && !play->Value(); },
                              60000);
        return 0;
    }

    std::vector<double> all;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(NOTARO_SOURCE_DIR) + "/data/samples")) {
        double stall = 0, stallCpu = 0, stallWait = 0;
        const ScoreFileResult file = readScoreFile(entry.path().string(), kToolScoreLimit);
        const std::vector<double> t =
            repaintTimes(window, file.text, 20, stall, stallCpu, stallWait);
        all.insert(all.end(), t.begin(), t.end());
        report("check result to staff repainted, " + entry.path().stem().string(), t);
    }
    report("check result to staff repainted, all samples", all);
    double stall = 0, stallCpu = 0, stallWait = 0;
    const std::string big = longScore();
    app.longestWall = app.longestCpu = 0;
    report("... 64000 characters (" + std::to_string(big.size()) + ")",
           repaintTimes(window, big, 9, stall, stallCpu, stallWait));
    std::printf("%-44s %7.2f ms: %.2f ms of it on the CPU, %.2f ms waiting for one\n",
                "longest event-loop stall meanwhile", stall, stallCpu, stallWait);
    std::printf("%-44s %7.2f ms wall, %.2f ms CPU\n", "longest single event meanwhile",
                app.longestWall, app.longestCpu);

    // The sounding mark: the pane's handler of PlaybackController::sounding runs first, so a
    // handler connected after it sees the mark made; the player reports a note just before
    // it sends the note-on.
    std::string notes = "**n[a-b-c]\r\n*t[400]\r\n";
    for (int i = 0; i < 16; ++i)
        notes += "16c 16d 16e 16f 16g 16a 16b 16cc |\r\n";
    double unused = 0, unusedCpu = 0;
    repaintTimes(window, notes, 1, unused, unusedCpu, unusedCpu);
    QObject::connect(&window.playback(), &PlaybackController::sounding, &window, [&] {
        if (window.staff().view().soundingNote() >= 0)
            lastMark = Clock::now();
    });
    window.editor()->selectChars(0, 0);
    QTest::mouseClick(play, Qt::LeftButton);
    (void)QTest::qWaitFor([&] { return !window.playback().isPlaying() && !play->Value(); }, 30000);
    report("staff mark made, to its note-on sent", markToNoteOn);
    return 0;
}
