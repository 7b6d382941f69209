#include "app/document/MidiImportRun.h"

#include "app/shell/UserPrompts.h"
#include "interchange/InterchangeResult.h"
#include "interchange/MidiImport.h"
#include "midi/tMidiF04.h"

#include <QFile>
#include <QStringList>

namespace notaro::app {

namespace {

QString candidateText(const interchange::MelodyCandidate& c) {
    QString text = QStringLiteral("Track %1, channel %2").arg(c.track).arg(c.channel + 1);
    if (!c.name.empty())
        text += QStringLiteral(" \"%1\"").arg(QString::fromStdString(c.name));
    if (c.program >= 0)
        text += QStringLiteral(", instrument %1").arg(c.program);
    return text + QStringLiteral(", %1 notes, keys %2 to %3")
                      .arg(c.noteCount)
                      .arg(c.lowKey)
                      .arg(c.highKey);
}

} // namespace

std::optional<std::string> runMidiImport(const QString& path, UserPrompts& prompts,
                                         QWidget* dialogParent, QString& report) {
    const auto fail = [&](const QString& why) {
        prompts.showMessage(dialogParent, QStringLiteral("Cannot import the MIDI file: ") + why,
                            UserPrompts::Icon::Exclamation);
        return std::nullopt;
    };
    tMidiF04 file;
    if (file.readMidiFile(QFile::encodeName(path).toStdString()) != MidiResult::Ok)
        return fail(QStringLiteral("it cannot be read."));
    try {
        interchange::ImportOptions options;
        const interchange::MidiScan scan(file);
        const auto& candidates = scan.candidates();
        if (candidates.size() > 1) {
            // The line the import takes by itself comes first, so OK alone takes it.
            interchange::MelodyCandidate first;
            try {
                first = interchange::chooseLine(candidates, options);
            } catch (const interchange::InterchangeError&) {
                first = candidates.front();
            }
            std::vector<const interchange::MelodyCandidate*> order = {&first};
            for (const auto& c : candidates)
                if (c.track != first.track || c.channel != first.channel)
                    order.push_back(&c);
            QStringList items;
            for (const auto* c : order)
                items << candidateText(*c);
            const int chosen =
                prompts.chooseItem(dialogParent, QStringLiteral("Import the melody of:"), items);
            if (chosen < 0)
                return std::nullopt;
            options.track = order[static_cast<size_t>(chosen)]->track;
            options.channel = order[static_cast<size_t>(chosen)]->channel;
        }
        const interchange::ImportResult result = interchange::importMelody(file, options);
        QStringList lines;
        for (const std::string& line : interchange::reportLines(result.report))
            lines << QString::fromStdString(line);
        report = QStringLiteral("Imported: ") + lines.join(QStringLiteral("; "));
        return result.text;
    } catch (const interchange::InterchangeError& e) {
        return fail(QString::fromStdString(e.what()) + QLatin1Char('.'));
    }
}

} // namespace notaro::app
