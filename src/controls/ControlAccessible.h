#pragma once

#include <glimmer/glimmer_export.h>

#include <QAccessibleWidget>

namespace glimmer {

/// What assistive technology learns of a Glimmer control: the role it was made with, and as its
/// name the host's accessible name, else the caption without its access-key marks, else the tool
/// tip. A link also offers the press action, which opens it as a click does.
class GLIMMER_NO_EXPORT ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(QWidget* control, QAccessible::Role role);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

    /// @p caption with each single '&' (an access-key mark) removed and "&&" kept as one '&'.
    static QString withoutAccessMarks(const QString& caption);
};

} // namespace glimmer
