#include "app/playback/TempoScale.h"

#include "settings/PracticeSettings.h"

#include <glimmer/OleColor.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace notaro::app {

namespace {

constexpr int kLowest = PracticeSettings::kMinTempoPercent;
constexpr int kHighest = PracticeSettings::kMaxTempoPercent;
/// The scale draws its bar from x = 5 over its width less 12 pixels.
constexpr int kBarLeft = 5;
constexpr int kBarMargins = 12;

} // namespace

TempoScale::TempoScale(QWidget* parent) : glimmer::s2M2(parent) {
    namespace ole = glimmer::OleColor;
    setBackColor(ole::ButtonFace);
    // The scale's own numbers stay unseen: paintEvent writes them so the ends fit inside.
    setNumbersColor(ole::ButtonFace);
    setBarHiLiteColor(ole::Highlight);
    setPointerColor(ole::rgb(0x17, 0x61, 0x2A));
    // The highest first: a lowest above the highest in force would be refused.
    setMaxValue(kHighest);
    setMinValue(kLowest);
    // One numbered mark at each end and a mark every 25 percent between them.
    setMajorDivisions(1);
    setMinorDivisions((kHighest - kLowest) / 25);
    setBarWidth(2);
    setNumVOffAdjust(1);
    setFocusPolicy(Qt::TabFocus);
    setValue(100);
}

int TempoScale::percent() const {
    return static_cast<int>(std::lround(Value()));
}

void TempoScale::setPercent(int percent) {
    setValue(static_cast<float>(std::clamp(percent, kLowest, kHighest)));
}

int TempoScale::percentAt(int x) const {
    const double span = std::max(width() - kBarMargins, 1);
    const double share = std::clamp((x - kBarLeft) / span, 0.0, 1.0);
    return kLowest + static_cast<int>(std::lround(share * (kHighest - kLowest)));
}

bool TempoScale::choose(int percent) {
    percent = std::clamp(percent, kLowest, kHighest);
    if (percent == this->percent())
        return false;
    setPercent(percent);
    emit percentChosen(percent);
    return true;
}

void TempoScale::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return s2M2::mousePressEvent(event);
    choose(percentAt(qRound(event->position().x())));
}

void TempoScale::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        choose(percentAt(qRound(event->position().x())));
}

void TempoScale::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit choiceFinished();
}

void TempoScale::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0 && choose(percent() + 5 * notches))
        emit choiceFinished();
    event->accept();
}

void TempoScale::keyPressEvent(QKeyEvent* event) {
    int to = percent();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        --to;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        ++to;
        break;
    case Qt::Key_PageDown:
        to -= 10;
        break;
    case Qt::Key_PageUp:
        to += 10;
        break;
    case Qt::Key_Home:
        to = kLowest;
        break;
    case Qt::Key_End:
        to = kHighest;
        break;
    default:
        return s2M2::keyPressEvent(event);
    }
    if (choose(to))
        emit choiceFinished();
}

void TempoScale::paintEvent(QPaintEvent* event) {
    s2M2::paintEvent(event);
    QPainter p(this);
    // The scale centres each number on its mark, which cuts the last one in half: here each
    // stays inside the control, under 25 %, 100 % and 200 %.
    const QFontMetrics metrics(font());
    const int baseline =
        PointerBarSpace() + 11 + BarWidth() + 6 - NumVOffAdjust() + metrics.ascent();
    p.setFont(font());
    p.setPen(palette().color(QPalette::ButtonText));
    for (const int percent : {kLowest, 100, kHighest}) {
        const QString text = QString::number(percent);
        const int mark = kBarLeft + (percent - kLowest) / 25 * minorStep();
        const int advance = metrics.horizontalAdvance(text);
        p.drawText(std::clamp(mark - advance / 2 + 1, 0, width() - advance), baseline, text);
    }
    if (!hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Button);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}

} // namespace notaro::app
