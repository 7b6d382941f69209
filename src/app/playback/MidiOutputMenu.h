#pragma once

#include "playback/MidiOutputs.h"

#include <QMenu>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <vector>

class QActionGroup;

namespace notaro::app {

/// The "MIDI &Output" submenu: the built-in synthesizer and every ALSA MIDI output port, one
/// checkable item each, the output para.ini's [Midi] Output names checked.
///
/// The ports are listed afresh each time the menu opens, since ports come and go while the
/// program runs. Choosing an item writes its name to para.ini at once (the next Play uses
/// it); the window learns of the result through outputChosen or choiceFailed.
class MidiOutputMenu : public QMenu {
    Q_OBJECT
public:
    /// Fills outputs as playback::listMidiOutputs does (the default); returns its code.
    using Lister = std::function<playback::PlaybackResult(std::vector<playback::MidiOutputInfo>&)>;

    explicit MidiOutputMenu(QWidget* parent = nullptr, Lister lister = playback::listMidiOutputs);

    /// Lists the outputs again and checks the current one. Runs each time the menu opens.
    void refresh();
    /// Makes name ("builtin" or a port's name) the output and emits outputChosen, or, when
    /// para.ini cannot be written, keeps the old choice and emits choiceFailed.
    /// @return true when the choice was saved
    bool choose(const QString& name);

signals:
    /// name was saved as the output; it takes effect at the next Play.
    void outputChosen(const QString& name);
    /// The choice could not be saved; message is one line for the status line.
    void choiceFailed(const QString& message);

private:
    Lister lister_;
    QActionGroup* group_ = nullptr;
    QPointer<QAction> checked_; // the saved choice, checked again when a write fails
};

} // namespace notaro::app
