#include <glimmer/t1Cap.h>

#include "controls/PropertyTable.h"

#include "controls/GradientPalette.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

namespace glimmer {

struct t1Cap::Private {
    QString caption;
    tc_HAlign hAlign = tc_Center;
    tc_HAlign textAlign = tc_Left;
    tc_VAlign vAlign = tc_Middle;
    quint32 foreColor = 0;
    quint32 back1Color = 0;
    quint32 back2Color = 0xFFFFFF;
    tcap_Direction direction = grd_L2R;
    tcap_Appearance appearance = SoftGray;
    tcap_BackStyle backStyle = Opaque;
    bool refreshDisabled = false;
    // The host's pixels behind the control, for the see-through background.
    QPixmap behind;
    bool behindValid = false;
    bool capturing = false;
    QPoint pressedAt;
    QPointer<QWidget> host;
};

t1Cap::t1Cap(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
    watchHost();
}

t1Cap::~t1Cap() = default;

QString t1Cap::Caption() const {
    return d->caption;
}
t1Cap::tc_HAlign t1Cap::HAlign() const {
    return d->hAlign;
}
t1Cap::tc_HAlign t1Cap::TextAlign() const {
    return d->textAlign;
}
t1Cap::tc_VAlign t1Cap::vAlign() const {
    return d->vAlign;
}
quint32 t1Cap::ForeColor() const {
    return d->foreColor;
}
quint32 t1Cap::Back1Color() const {
    return d->back1Color;
}
quint32 t1Cap::Back2Color() const {
    return d->back2Color;
}
t1Cap::tcap_Direction t1Cap::Direction() const {
    return d->direction;
}
t1Cap::tcap_Appearance t1Cap::Appearance() const {
    return d->appearance;
}
t1Cap::tcap_BackStyle t1Cap::BackStyle() const {
    return d->backStyle;
}

template <typename T> static bool store(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

void t1Cap::setCaption(const QString& v) {
    if (store(d->caption, v))
        changed("Caption");
}
void t1Cap::setHAlign(tc_HAlign v) {
    if (!propertyTable().admits(*this, "HAlign", v))
        return;
    if (store(d->hAlign, v))
        changed("HAlign");
}
void t1Cap::setTextAlign(tc_HAlign v) {
    if (!propertyTable().admits(*this, "TextAlign", v))
        return;
    if (store(d->textAlign, v))
        changed("TextAlign");
}
void t1Cap::setVAlign(tc_VAlign v) {
    if (!propertyTable().admits(*this, "VAlign", v))
        return;
    if (store(d->vAlign, v))
        changed("VAlign");
}
void t1Cap::setForeColor(quint32 v) {
    if (store(d->foreColor, v))
        changed("ForeColor");
}
void t1Cap::setBack1Color(quint32 v) {
    if (store(d->back1Color, v))
        changed("Back1Color");
}
void t1Cap::setBack2Color(quint32 v) {
    if (store(d->back2Color, v))
        changed("Back2Color");
}
void t1Cap::setDirection(tcap_Direction v) {
    if (!propertyTable().admits(*this, "Direction", v))
        return;
    if (store(d->direction, v))
        changed("Direction");
}
void t1Cap::setAppearance(tcap_Appearance v) {
    if (!propertyTable().admits(*this, "Appearance", v))
        return;
    if (store(d->appearance, v))
        changed("Appearance");
}
void t1Cap::setBackStyle(tcap_BackStyle v) {
    if (!propertyTable().admits(*this, "BackStyle", v))
        return;
    if (!store(d->backStyle, v))
        return;
    d->behindValid = false;
    changed("BackStyle");
}

void t1Cap::changed(const char* key) {
    emit propertyChanged(QString::fromLatin1(key));
    update();
}

QRect t1Cap::textRect() const {
    const int w = width();
    const int h = height();
    // Measured with word wrap in the inside, then the block is moved as a whole.
    const QRect room(1, 1, qMax(w - 2, 1), qMax(h - 2, 1));
    const QRect measured = QFontMetrics(font()).boundingRect(
        room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, d->caption);
    const int right = 1 + measured.width();
    const int bottom = 1 + measured.height();
    int dx = 0;
    int dy = 0;
    if (d->hAlign == tc_Center)
        dx = (w - right) / 2;
    else if (d->hAlign == tc_Right)
        dx = w - right;
    if (d->vAlign == tc_Middle)
        dy = (h - bottom) / 2;
    else if (d->vAlign == tc_Bottom)
        dy = h - bottom;
    return QRect(1 + dx, 1 + dy, measured.width(), measured.height());
}

void t1Cap::showAbout() {
    AboutBox::showModal(this);
}

void t1Cap::DisableRefresh() {
    d->refreshDisabled = true;
}

void t1Cap::Refresh() {
    d->refreshDisabled = false;
    d->behindValid = false;
    update();
}

void t1Cap::captureBehind() {
    QWidget* host = parentWidget();
    d->behindValid = true;
    if (!host) {
        d->behind = QPixmap();
        return;
    }
    // The host draws itself, then each control below this one, into a copy of our rectangle.
    // This caption takes no part in it (the host could not draw it without recursing into the
    // paint that asked for the copy), so the copy holds only what lies behind the caption.
    QPixmap copy(size() * devicePixelRatioF());
    copy.setDevicePixelRatio(devicePixelRatioF());
    copy.fill(host->palette().color(host->backgroundRole()));
    d->capturing = true;
    host->render(&copy, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    for (QObject* child : host->children()) {
        if (child == this)
            break; // later children lie above the caption
        auto* below = qobject_cast<QWidget*>(child);
        if (!below || !below->isVisible() || below->isWindow() ||
            !below->geometry().intersects(geometry()))
            continue;
        below->render(&copy, below->pos() - pos(), QRegion(),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    d->capturing = false;
    d->behind = copy;
}

void t1Cap::paintEvent(QPaintEvent*) {
    if (d->capturing || d->refreshDisabled)
        return;
    if (d->backStyle == Transparent && !d->behindValid)
        captureBehind();
    QPainter p(this);
    if (d->backStyle == Transparent) {
        if (!d->behind.isNull())
            p.drawPixmap(0, 0, d->behind);
    } else {
        const gradient::ColorPair colours =
            gradient::colorsFor(d->appearance, {d->back1Color, d->back2Color});
        gradient::paint(p, rect(), d->direction, OleColor::toColor(colours.first, palette()),
                        OleColor::toColor(colours.second, palette()));
    }
    static constexpr Qt::Alignment Across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    p.setPen(OleColor::toColor(d->foreColor, palette()));
    p.setFont(font());
    p.drawText(textRect(), Across[d->textAlign] | Qt::AlignVCenter | Qt::TextWordWrap, d->caption);
}

void t1Cap::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    d->behindValid = false;
}

void t1Cap::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->behindValid = false;
}

void t1Cap::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        watchHost();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::ParentChange)
        Refresh();
}

void t1Cap::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        d->pressedAt = event->globalPosition().toPoint();
    QWidget::mousePressEvent(event);
}

void t1Cap::mouseReleaseEvent(QMouseEvent* event) {
    // A caption dragged elsewhere in a designer copies its new background.
    if (event->button() == Qt::LeftButton && event->globalPosition().toPoint() != d->pressedAt)
        Refresh();
    QWidget::mouseReleaseEvent(event);
}

void t1Cap::watchHost() {
    if (d->host)
        d->host->removeEventFilter(this);
    d->host = parentWidget();
    if (d->host)
        d->host->installEventFilter(this);
}

bool t1Cap::eventFilter(QObject* watched, QEvent* event) {
    // The host's ambient values: its colours and font. A see-through caption copies again.
    if (watched == d->host && d->backStyle == Transparent) {
        const QEvent::Type t = event->type();
        if (t == QEvent::PaletteChange || t == QEvent::FontChange || t == QEvent::StyleChange)
            Refresh();
    }
    return QWidget::eventFilter(watched, event);
}

const PropertyTable<t1Cap>& t1Cap::propertyTable() {
#define FIELD(name)                                                                                \
    fieldAccess<t1Cap, decltype(Private::name)>([](t1Cap & c) -> auto& { return c.d->name; })
    using Init = PropertyInit;
    auto font = functionAccess<QFont, t1Cap>([](const t1Cap& c) { return c.font(); },
                                             [](t1Cap& c, const QFont& v) { c.setFont(v); });
    // clang-format off
    static const PropertyTable<t1Cap> table(PropertyTable<t1Cap>::WithDefaults, {
        {"Caption", "Caption", fixedDefault(QString()), FIELD(caption), Init::HostName},
        {"HAlign", "HAlign", fixedDefault(tc_Center), FIELD(hAlign), Init::AsDefault, {tc_Left, tc_Right}},
        {"TextAlign", "TextAlign", fixedDefault(tc_Left), FIELD(textAlign), Init::AsDefault, {tc_Left, tc_Right}},
        {"vAlign", "VAlign", fixedDefault(tc_Middle), FIELD(vAlign), Init::AsDefault, {tc_Top, tc_Bottom}},
        {"Font", "Font", hostFontDefault(), font, Init::HostFont},
        {"ForeColor", "ForeColor", fixedDefault(0), FIELD(foreColor), Init::AsDefault},
        {"Back1Color", "Back1Color", fixedDefault(0), FIELD(back1Color), Init::AsDefault},
        {"Back2Color", "Back2Color", fixedDefault(0xFFFFFF), FIELD(back2Color), Init::AsDefault},
        {"Direction", "Direction", fixedDefault(grd_L2R), FIELD(direction), Init::AsDefault, {grd_L2R, grd_B2T}},
        {"Appearance", "Appearance", fixedDefault(SoftGray), FIELD(appearance), Init::AsDefault, {Autumn, Custom}},
        {"BackStyle", "BackStyle", fixedDefault(Opaque), FIELD(backStyle), Init::AsDefault, {Transparent, Opaque}}});
    // clang-format on
#undef FIELD
    return table;
}

void t1Cap::InitProperties(const QString& name) {
    propertyTable().init(*this, name);
    Refresh();
}

void t1Cap::ReadProperties(const PropertyBag& bag) {
    propertyTable().load(*this, bag);
    Refresh();
}

void t1Cap::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

} // namespace glimmer
