#include <glimmer/t1Frame.h>

#include "controls/AccessibleFactory.h"
#include "controls/t1FramePrivate.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QEvent>
#include <QPainter>

namespace glimmer {

namespace {

constexpr quint32 TapeLineColor = 0x808080;

} // namespace

t1Frame::t1Frame(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this)) {
    accessibility::installFactory();
    connect(this, &t1Frame::propertyChanged, this,
            [this](const QString& key) { accessibility::reportChange(this, key); });
}

t1Frame::~t1Frame() = default;

quint32 t1Frame::BottomColor() const {
    return d->bottomColor;
}

quint32 t1Frame::TopColor() const {
    return d->topColor;
}

bool t1Frame::HasTape() const {
    return d->hasTape;
}

int t1Frame::TapeHeight() const {
    return d->tapeHeight;
}

bool t1Frame::Tape3D() const {
    return d->tape3D;
}

QString t1Frame::Caption() const {
    return d->caption;
}

quint32 t1Frame::ForeColor() const {
    return d->foreColor;
}

quint32 t1Frame::BackColor() const {
    return d->backColor;
}

quint32 t1Frame::InBackColor() const {
    return d->inBackColor;
}

t1Frame::tf_HAlign t1Frame::HAlign() const {
    return d->hAlign;
}

t1Frame::tf_VAlign t1Frame::vAlign() const {
    return d->vAlign;
}

t1Frame::tf_BackStyle t1Frame::BackStyle() const {
    return d->backStyle;
}

QRegion t1Frame::shape() const {
    const int w = width();
    const int h = height();
    QRegion region(rect());
    if (d->backStyle != Transparent)
        return region;
    const int t = d->tapeShown() ? d->tapeHeight + (d->tape3D ? 1 : 0) : 0;
    if (w > 4 && h > t + 4)
        region -= QRegion(2, t + 2, w - 4, h - t - 4);
    region -= QRegion(0, 0, 1, 1);
    region -= QRegion(w - 1, 0, 1, 1);
    region -= QRegion(0, h - 1, 1, 1);
    region -= QRegion(w - 1, h - 1, 1, 1);
    return region;
}

QRect t1Frame::captionRect() const {
    if (!d->tapeShown())
        return QRect();
    const int w = width();
    // Measured with word wrap inside the strip, then moved as a whole by the alignment.
    const QRect room(2, 2, qMax(w - 6, 1), qMax(d->tapeHeight - 1, 1));
    const QRect measured = QFontMetrics(font()).boundingRect(
        room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, d->caption);
    const int right = 2 + measured.width();
    const int bottom = 2 + measured.height();
    int dx = 0;
    int dy = 0;
    if (d->hAlign == tf_Center)
        dx = (w - right) / 2;
    else if (d->hAlign == tf_Right)
        dx = w - right;
    if (d->vAlign == tf_Middle)
        dy = (d->tapeHeight - bottom) / 2;
    else if (d->vAlign == tf_Bottom)
        dy = d->tapeHeight - bottom;
    return QRect(2 + dx, 2 + dy, measured.width(), measured.height());
}

void t1Frame::paintEvent(QPaintEvent*) {
    if (!d->shown || d->painting)
        return;
    d->painting = true;
    d->applyShape();
    const int w = width();
    const int h = height();
    auto colour = [this](quint32 v) { return OleColor::toColor(v, palette()); };
    QPainter p(this);
    // Etched border: the outer rectangle's right and bottom edges are left to the inner one.
    const QColor bottom = colour(d->bottomColor);
    p.fillRect(0, 0, w - 1, 1, bottom);
    p.fillRect(0, 0, 1, h - 1, bottom);
    p.fillRect(w - 2, 0, 1, h - 1, bottom);
    p.fillRect(0, h - 2, w - 1, 1, bottom);
    const QColor top = colour(d->topColor);
    p.fillRect(1, 1, w - 1, 1, top);
    p.fillRect(1, 1, 1, h - 1, top);
    p.fillRect(w - 1, 1, 1, h - 1, top);
    p.fillRect(1, h - 1, w - 1, 1, top);

    int y = 2;
    if (d->tapeShown()) {
        p.fillRect(2, 2, w - 4, d->tapeHeight, colour(d->backColor));
        y = d->tapeHeight + 2;
        if (d->tape3D) {
            p.fillRect(2, d->tapeHeight + 2, w - 4, 1, colour(TapeLineColor));
            ++y;
        }
        p.setPen(colour(d->foreColor));
        p.setFont(font());
        p.drawText(captionRect(), Qt::AlignLeft | Qt::AlignTop, d->caption);
    }
    if (d->backStyle == Opaque)
        p.fillRect(2, y, w - 4, h - y - 2, colour(d->inBackColor));
    d->painting = false;
}

void t1Frame::Private::applyShape() {
    // An opaque frame keeps no mask at all: the whole rectangle is its shape.
    const QRegion wanted = backStyle == Transparent ? q->shape() : QRegion();
    if (q->mask() == wanted)
        return;
    if (wanted.isEmpty())
        q->clearMask();
    else
        q->setMask(wanted);
}

void t1Frame::Private::apply(unsigned effects) {
    if (effects & effect::Relayout)
        q->updateGeometry();
    q->Refresh();
}

QSize t1Frame::minimumSizeHint() const {
    QSize own(4, 4);
    if (d->tapeShown()) {
        // The caption's room in the strip leaves 2 pixels left and 4 right.
        own.rwidth() += QFontMetrics(font()).horizontalAdvance(d->caption) + 2;
        own.rheight() += d->tapeHeight + (d->tape3D ? 1 : 0);
    }
    return layout() ? own.expandedTo(QWidget::minimumSizeHint()) : own;
}

QSize t1Frame::sizeHint() const {
    const QSize own = minimumSizeHint().expandedTo(QSize(160, 100));
    return layout() ? own.expandedTo(QWidget::sizeHint()) : own;
}

void t1Frame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->applyShape();
}

void t1Frame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    d->shown = true;
}

void t1Frame::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        update();
        Private::table().report(*d, &widgetFont<Private>);
    }
}

void t1Frame::showAbout() {
    AboutBox::showModal(this);
}

void t1Frame::Refresh() {
    d->applyShape();
    repaint();
}

} // namespace glimmer
