#pragma once

#include <glimmer/s2M2.h>

namespace notaro::app {

/// The tempo control of the tool row: Glimmer's scale from 25 to 200 percent, set by pointing
/// (a click or a drag puts the pointer there), the wheel (5 percent a notch) and, once it has
/// the focus, the keys (arrows 1 percent, Page Up and Page Down 10, Home and End the ends).
class TempoScale : public glimmer::s2M2 {
    Q_OBJECT
public:
    explicit TempoScale(QWidget* parent = nullptr);

    /// The whole percent the pointer shows.
    int percent() const;
    /// Shows percent (held within the scale's range) without announcing it.
    void setPercent(int percent);
    /// The percent at x pixels from the left edge.
    int percentAt(int x) const;

Q_SIGNALS:
    /// The user moved the pointer to percent.
    void percentChosen(int percent);
    /// The user let go: the drag, key or wheel turn has ended at percent().
    void choiceFinished();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    /// Moves the pointer as the user asked; true when it moved.
    bool choose(int percent);
};

} // namespace notaro::app
