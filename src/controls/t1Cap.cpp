#include <glimmer/t1Cap.h>

#include "controls/AccessibleFactory.h"
#include "controls/PropertyTable.h"

#include "controls/GradientPalette.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRegularExpression>

namespace glimmer {

namespace {

// A see-through caption copies the host's pixels again.
constexpr unsigned Recapture = effect::FirstOwn;

} // namespace

struct GLIMMER_NO_EXPORT t1Cap::Private {
    explicit Private(t1Cap* control) : q(control) {}

    t1Cap* q;
    bool quiet = false;
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

    static const PropertyTable<Private>& table();

    /// Repaint: anything drawn; Relayout: the caption, so the size hints; Recapture: the
    /// background's source.
    void apply(unsigned effects) {
        if (effects & Recapture)
            behindValid = false;
        if (effects & effect::Relayout)
            q->updateGeometry();
        q->update();
    }

    void captureBehind();
    void watchHost();
};

t1Cap::t1Cap(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this)) {
    d->watchHost();
    accessibility::installFactory();
    connect(this, &t1Cap::propertyChanged, this,
            [this](const QString& key) { accessibility::reportChange(this, key); });
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

void t1Cap::setCaption(const QString& v) {
    assign(*d, &Private::caption, v);
}
void t1Cap::setHAlign(tc_HAlign v) {
    assign(*d, &Private::hAlign, v);
}
void t1Cap::setTextAlign(tc_HAlign v) {
    assign(*d, &Private::textAlign, v);
}
void t1Cap::setVAlign(tc_VAlign v) {
    assign(*d, &Private::vAlign, v);
}
void t1Cap::setForeColor(quint32 v) {
    assign(*d, &Private::foreColor, v);
}
void t1Cap::setBack1Color(quint32 v) {
    assign(*d, &Private::back1Color, v);
}
void t1Cap::setBack2Color(quint32 v) {
    assign(*d, &Private::back2Color, v);
}
void t1Cap::setDirection(tcap_Direction v) {
    assign(*d, &Private::direction, v);
}
void t1Cap::setAppearance(tcap_Appearance v) {
    assign(*d, &Private::appearance, v);
}
void t1Cap::setBackStyle(tcap_BackStyle v) {
    assign(*d, &Private::backStyle, v);
}

QSize t1Cap::sizeHint() const {
    const QFontMetrics metrics(font());
    const QSize line(metrics.height(), metrics.height());
    return metrics.size(0, d->caption).expandedTo(line) + QSize(2, 2);
}

QSize t1Cap::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    int widest = metrics.height();
    for (const QString& word :
         d->caption.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return QSize(widest + 2, sizeHint().height());
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

void t1Cap::Private::captureBehind() {
    QWidget* host = q->parentWidget();
    behindValid = true;
    if (!host) {
        behind = QPixmap();
        return;
    }
    // The host draws itself, then each control below this one, into a copy of our rectangle.
    // This caption takes no part in it (the host could not draw it without recursing into the
    // paint that asked for the copy), so the copy holds only what lies behind the caption.
    QPixmap copy(q->size() * q->devicePixelRatioF());
    copy.setDevicePixelRatio(q->devicePixelRatioF());
    copy.fill(host->palette().color(host->backgroundRole()));
    capturing = true;
    host->render(&copy, QPoint(), QRegion(q->geometry()), QWidget::DrawWindowBackground);
    for (QObject* child : host->children()) {
        if (child == q)
            break; // later children lie above the caption
        auto* below = qobject_cast<QWidget*>(child);
        if (!below || !below->isVisible() || below->isWindow() ||
            !below->geometry().intersects(q->geometry()))
            continue;
        below->render(&copy, below->pos() - q->pos(), QRegion(),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    capturing = false;
    behind = copy;
}

void t1Cap::paintEvent(QPaintEvent*) {
    if (d->capturing || d->refreshDisabled)
        return;
    if (d->backStyle == Transparent && !d->behindValid)
        d->captureBehind();
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
        d->watchHost();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::ParentChange)
        Refresh();
    if (event->type() == QEvent::FontChange)
        Private::table().report(*d, &widgetFont<Private>);
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

void t1Cap::Private::watchHost() {
    if (host)
        host->removeEventFilter(q);
    host = q->parentWidget();
    if (host)
        host->installEventFilter(q);
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

const PropertyTable<t1Cap::Private>& t1Cap::Private::table() {
    using P = Private;
    using Init = PropertyInit;
    using effect::Relayout, effect::Repaint;
    auto font = getterAccess(&widgetFont<P>, [](P& d, const QFont& v) { d.q->setFont(v); });
    // clang-format off
    static const PropertyTable<P> rows(PropertyTable<P>::WithDefaults, &P::apply, {
        {"Caption", fixedDefault(QString()), memberAccess(&P::caption), Init::HostName, {}, Relayout},
        {"HAlign", fixedDefault(tc_Center), memberAccess(&P::hAlign), Init::AsDefault, {tc_Left, tc_Right}},
        {"TextAlign", fixedDefault(tc_Left), memberAccess(&P::textAlign), Init::AsDefault, {tc_Left, tc_Right}},
        {"vAlign", "VAlign", fixedDefault(tc_Middle), memberAccess(&P::vAlign), Init::AsDefault, {tc_Top, tc_Bottom}},
        {"Font", hostFontDefault(), font, Init::HostFont},
        {"ForeColor", fixedDefault(0), memberAccess(&P::foreColor), Init::AsDefault},
        {"Back1Color", fixedDefault(0), memberAccess(&P::back1Color), Init::AsDefault},
        {"Back2Color", fixedDefault(0xFFFFFF), memberAccess(&P::back2Color), Init::AsDefault},
        {"Direction", fixedDefault(grd_L2R), memberAccess(&P::direction), Init::AsDefault, {grd_L2R, grd_B2T}},
        {"Appearance", fixedDefault(SoftGray), memberAccess(&P::appearance), Init::AsDefault, {Autumn, Custom}},
        {"BackStyle", fixedDefault(Opaque), memberAccess(&P::backStyle), Init::AsDefault, {Transparent, Opaque}, Repaint | Recapture}});
    // clang-format on
    return rows;
}

void t1Cap::InitProperties(const QString& name) {
    Private::table().init(*d, name);
    Refresh();
    updateGeometry();
}

void t1Cap::ReadProperties(const PropertyBag& bag) {
    Private::table().load(*d, bag);
    Refresh();
    updateGeometry();
}

void t1Cap::WriteProperties(PropertyBag& bag) const {
    Private::table().write(*d, bag);
}

} // namespace glimmer
