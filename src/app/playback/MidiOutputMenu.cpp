#include "app/playback/MidiOutputMenu.h"

#include "playback/MidiSettings.h"
#include "settings/OnRatios.h"

#include <QActionGroup>

namespace notaro::app {

MidiOutputMenu::MidiOutputMenu(QWidget* parent, Lister lister)
    : QMenu(QStringLiteral("MIDI &Output"), parent), lister_(std::move(lister)),
      group_(new QActionGroup(this)) {
    setObjectName(QStringLiteral("mnu_Tools_MidiOutput"));
    group_->setExclusive(true);
    connect(this, &QMenu::aboutToShow, this, &MidiOutputMenu::refresh);
    refresh();
}

void MidiOutputMenu::refresh() {
    // The sequencer may be missing (a machine without ALSA MIDI); the lister still gives the
    // built-in synthesizer then, which is all there is to choose.
    std::vector<playback::MidiOutputInfo> outputs;
    lister_(outputs);
    clear();
    checked_ = nullptr;
    QAction* builtin = nullptr;
    for (const playback::MidiOutputInfo& info : outputs) {
        const QString name = QString::fromStdString(info.name);
        const bool isBuiltin = playback::isBuiltinOutput(info.name);
        // A port name may hold "&", which a menu would take for a mnemonic.
        QAction* action =
            addAction(isBuiltin ? QStringLiteral("&Built-in synthesizer")
                                : QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setData(name);
        action->setCheckable(true);
        action->setStatusTip(QString::fromStdString(info.description));
        group_->addAction(action);
        if (isBuiltin && !builtin)
            builtin = action;
        if (info.isDefault && !checked_)
            checked_ = action;
        connect(action, &QAction::triggered, this, [this, name] { choose(name); });
    }
    // A chosen port that is gone is played through the synthesizer, so that is what shows.
    if (!checked_)
        checked_ = builtin;
    if (checked_)
        checked_->setChecked(true);
}

bool MidiOutputMenu::choose(const QString& name) {
    if (!playback::saveMidiOutputSetting(name.toStdString())) {
        if (checked_)
            checked_->setChecked(true);
        emit choiceFailed(QStringLiteral("Couldn't save the MIDI output choice in %1.")
                              .arg(QString::fromStdString(paraIniPath())));
        return false;
    }
    for (QAction* action : group_->actions())
        if (action->data().toString() == name) {
            action->setChecked(true);
            checked_ = action;
        }
    emit outputChosen(name);
    return true;
}

} // namespace notaro::app
