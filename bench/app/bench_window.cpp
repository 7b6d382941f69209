// Figures of the program window, measured on the real window:
//  - process start to the first painted window (the notaro program, offscreen);
//  - Play click to the first note-on, and the editor selection's delay after each note-on;
//  - Check Syntax on a 64000-character score, to the message;
//  - Stop click, and the end of a score, to the window taking input again.
// The recording output stamps every message as it is sent; nothing sounds.
#include "app/editor/LiveSyntaxCheck.h"
#include "app/editor/ScoreEditor.h"
#include "app/fMain.h"
#include "app/playback/PlaybackController.h"
#include "playback/RecordingMidiOut.h"
#include "playback/ShortMsg.h"
#include "tests/app/ScriptedPrompts.h"

#include <glimmer/chBut.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace notaro;
using namespace notaro::app;
using Clock = std::chrono::steady_clock;

namespace {

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void report(const char* what, std::vector<double> v) {
    if (v.empty()) {
        std::printf("%-48s no samples\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    const auto at = [&v](double q) {
        return v[std::min(v.size() - 1, size_t(q * (v.size() - 1) + 0.5))];
    };
    std::printf("%-48s median %7.2f ms  p99 %7.2f ms  max %7.2f ms  (n=%zu)\n", what, at(0.5),
                at(0.99), v.back(), v.size());
}

std::vector<double> startUpTimes(int runs) {
    std::vector<double> times;
    const std::string cmd = "NOTARO_EXIT_AFTER_PAINT=1 QT_QPA_PLATFORM=offscreen " +
                            std::string(NOTARO_BINARY_DIR) + "/bin/notaro 2>/dev/null";
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        FILE* p = ::popen(cmd.c_str(), "r");
        char line[64] = {};
        const bool painted =
            p && std::fgets(line, sizeof line, p) && std::string(line) == "first paint\n";
        const auto t1 = Clock::now();
        if (p)
            ::pclose(p);
        if (painted)
            times.push_back(ms(t1 - t0));
    }
    return times;
}

/// A score of n sixteenth notes at a brisk tempo, for the play figures.
std::string playScore(int n) {
    std::string s = "**n[a-b-c]\r\n*t[240]\r\n";
    const char* pitches[] = {"c", "d", "e", "f", "g", "a", "b"};
    for (int i = 0; i < n; ++i)
        s += std::string("16") + pitches[i % 7] + (i % 8 == 7 ? "\r\n" : " ");
    return s + "\r\n";
}

/// A correct score of about 64000 characters.
std::string longScore() {
    std::string s = "**n[a-b-c]\r\n*t[120]\r\n";
    const std::string line = "4c 8d 8e 4f# 4g | 8.a 16b 4cc 2dd | 4e( 4f) 4g[ 4g] | 2: 4a' 4b\r\n";
    while (s.size() + line.size() <= 64000)
        s += line;
    return s;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    report("start to first painted window (process)", startUpTimes(15));

    test::ScriptedPrompts prompts;
    Clock::time_point noteOn{};
    std::vector<Clock::time_point> noteOns;
    auto device = std::make_unique<playback::RecordingMidiOut>(
        playback::getTickCount, [&](const playback::TimedShortMsg& m) {
            if ((playback::statusOf(m.msg) & 0xF0) == 0x90 && playback::data2Of(m.msg) > 0)
                noteOns.push_back(Clock::now());
        });
    fMain window(prompts, std::move(device));
    window.show();
    auto* play = window.findChild<glimmer::chBut*>(QStringLiteral("cmdPlay"));
    std::vector<Clock::time_point> selections;
    QObject::connect(window.editor(), &QPlainTextEdit::selectionChanged,
                     [&] { selections.push_back(Clock::now()); });
    const auto waitIdle = [&] {
        while (window.playback().isPlaying() || play->Value())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    };

    // Play click to the first note-on, and each selection against its note-on.
    std::vector<double> start, selectionDelay, endToIdle;
    window.editor()->setScoreText(playScore(16));
    for (int run = 0; run < 20; ++run) {
        window.editor()->selectChars(0, 0);
        noteOns.clear();
        selections.clear();
        const auto t0 = Clock::now();
        QTest::mouseClick(play, Qt::LeftButton);
        waitIdle();
        const auto idle = Clock::now();
        if (noteOns.empty())
            continue;
        start.push_back(ms(noteOns.front() - t0));
        // The last selection made at or before each note-on (made just before it, if at all).
        for (const auto& on : noteOns) {
            auto s = std::upper_bound(selections.begin(), selections.end(),
                                      on + std::chrono::milliseconds(50));
            if (s != selections.begin())
                selectionDelay.push_back(ms(*std::prev(s) - on));
        }
        // The last note lasts 62.5 ms; the window is idle once it and its rest are over.
        endToIdle.push_back(ms(idle - noteOns.back()) - 62.5);
    }
    report("Play click to first note-on", start);
    report("selection after its note-on (negative: before)", selectionDelay);
    report("end of score to window idle", endToIdle);

    // Stop click to the window taking input again.
    std::vector<double> stopTimes;
    window.editor()->setScoreText(playScore(64));
    for (int run = 0; run < 20; ++run) {
        window.editor()->selectChars(0, 0);
        noteOns.clear();
        QTest::mouseClick(play, Qt::LeftButton);
        while (noteOns.size() < 3)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const auto t0 = Clock::now();
        QTest::mouseClick(play, Qt::LeftButton);
        waitIdle();
        stopTimes.push_back(ms(Clock::now() - t0));
    }
    report("Stop click to window idle", stopTimes);

    // Check Syntax on a 64000-character score, to the message.
    std::vector<double> checks;
    window.editor()->setScoreText(longScore());
    Clock::time_point shown{};
    prompts.onMessage = [&](const auto&) { shown = Clock::now(); };
    auto* check = window.findChild<QAction*>(QStringLiteral("mnu_Tools_Syntax"));
    for (int run = 0; run < 20; ++run) {
        const auto t0 = Clock::now();
        check->trigger();
        checks.push_back(ms(shown - t0));
    }
    std::printf("score of %d characters: %s\n", window.editor()->scoreLength(),
                prompts.messages.back().text.toUtf8().constData());
    report("Check Syntax (64000 characters) to message", checks);

    // The live check: the background parse of a 64000-character score, from the quiet-time
    // timer to the mark, and the time a keystroke takes in that score (highlighting included).
    std::vector<double> live;
    LiveSyntaxCheck& liveCheck = *window.liveCheck();
    Clock::time_point marked{};
    QObject::connect(&liveCheck, &LiveSyntaxCheck::checked, [&] { marked = Clock::now(); });
    std::string faulty = longScore();
    faulty.replace(faulty.size() / 2, 2, "4x");
    window.editor()->setScoreText(faulty);
    for (int run = 0; run < 30; ++run) {
        marked = {};
        const auto t0 = Clock::now();
        liveCheck.timer().start(0);
        while (marked == Clock::time_point{})
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        live.push_back(ms(marked - t0));
    }
    std::printf("live check: %s\n", window.checkMessage().toUtf8().constData());
    report("live check (64000 characters) to the mark", live);

    std::vector<double> keys;
    window.editor()->setFocus();
    window.editor()->selectChars(window.editor()->scoreLength() / 2, 0);
    for (int run = 0; run < 200; ++run) {
        const auto t0 = Clock::now();
        QTest::keyClick(window.editor(), run % 2 ? Qt::Key_Backspace : Qt::Key_A);
        keys.push_back(ms(Clock::now() - t0));
    }
    report("keystroke in a 64000-character score", keys);
    window.editor()->setTextModified(false);
    return 0;
}
