#include "app/playback/MidiOutputChoice.h"
#include "app/playback/MidiOutputMenu.h"
#include "playback/FluidSynthEngine.h"
#include "playback/FluidSynthMidiOut.h"
#include "playback/MidiSettings.h"
#include "playback/RtMidiPortOut.h"
#include "tests/app/AppTestSupport.h"

#include <QSignalSpy>

namespace notaro::app::test {
namespace {

using MidiOutputMenuTest = AppTest;

/// A para.ini with another key beside [Midi] Output=output.
std::string ini(const std::string& output) {
    return "[Midi]\r\nOutput=" + output + "\r\nSoundFont=/x.sf2\r\n";
}

/// The item texts, "*" after the checked one.
std::string items(const QMenu& menu) {
    std::string r;
    for (const QAction* a : menu.actions())
        r += a->text().toStdString() + (a->isChecked() ? "*|" : "|");
    return r;
}

playback::PlaybackResult twoPorts(std::vector<playback::MidiOutputInfo>& outputs) {
    const bool port = playback::midiOutputSetting() == "Synth";
    outputs = {{"builtin", "", !port}, {"Thru 14:0", "", false}, {"Synth A&B 128:0", "", port}};
    return playback::PlaybackResult::Ok;
}

TEST_F(MidiOutputMenuTest, ChecksTheCurrentOutputSavesItOrReportsTheFailureAndReplacesAGonePort) {
    const std::string file = path("notaro/para.ini");
    writeFile(file, ini("Synth"));
    MidiOutputMenu menu(nullptr, twoPorts);
    QSignalSpy chosen(&menu, &MidiOutputMenu::outputChosen);
    QSignalSpy failed(&menu, &MidiOutputMenu::choiceFailed);
    EXPECT_EQ(items(menu), "&Built-in synthesizer|Thru 14:0|Synth A&&B 128:0*|");
    menu.actions()[1]->trigger();
    EXPECT_EQ(readFile(file), ini("Thru 14:0"));
    writeFile(file, ini("builtin")); // changed behind the menu: seen when it opens
    menu.popup({});
    menu.hide();
    const std::string builtinChecked = "&Built-in synthesizer*|Thru 14:0|Synth A&&B 128:0|";
    EXPECT_EQ(items(menu), builtinChecked);
    std::filesystem::remove_all(dir_ / "notaro");
    writeFile(path("notaro"), "a file where the settings folder should be");
    menu.actions()[2]->trigger();
    EXPECT_EQ(items(menu), builtinChecked);
    EXPECT_EQ(chosen, QList<QVariantList>{{QStringLiteral("Thru 14:0")}});
    const std::string message = "Couldn't save the MIDI output choice in " + file + ".";
    EXPECT_EQ(failed, QList<QVariantList>{{QString::fromStdString(message)}});
    // A port that is gone is shown and played as the synthesizer, with a notice.
    std::filesystem::remove(path("notaro"));
    writeFile(path("notaro/para.ini"), ini("Gone Port 7f3a"));
    EXPECT_EQ(items(MidiOutputMenu()).substr(0, 23), "&Built-in synthesizer*|");
    QString notice;
    const auto engine = std::make_shared<playback::FluidSynthEngine>();
    EXPECT_TRUE(
        dynamic_cast<playback::FluidSynthMidiOut*>(makeChosenMidiOut(engine, notice).get()));
    EXPECT_EQ(notice, "MIDI output \"Gone Port 7f3a\" is not available; playing through the "
                      "built-in synthesizer.");
    const auto port = makeChosenMidiOut(engine, "synth a", {"Synth A 128:0", "Thru 14:0"}, notice);
    EXPECT_TRUE(dynamic_cast<playback::RtMidiPortOut*>(port.get()) && notice.isEmpty());
}

} // namespace
} // namespace notaro::app::test
