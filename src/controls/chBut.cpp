#include <glimmer/chBut.h>

#include "controls/AccessibleFactory.h"
#include "controls/chButPrivate.h"

#include "controls/ButtonPainter.h"
#include "controls/CaptionLayout.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QEvent>
#include <QKeySequence>
#include <QPainter>
#include <QResizeEvent>
#include <QShortcutEvent>

namespace glimmer {

namespace {

/// Pictures with transparency (icons) are first drawn onto the mask colour, so that their
/// transparent parts follow UseMaskColor like the mask colour itself.
QImage flattenedPicture(const QPixmap& picture, const QColor& mask) {
    if (picture.isNull())
        return QImage();
    QImage image = picture.toImage();
    if (!image.hasAlphaChannel())
        return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDevicePixelRatio(image.devicePixelRatio());
    flat.fill(mask);
    QPainter(&flat).drawImage(0, 0, image);
    return flat;
}

/// The size a picture covers on the button: its device pixels over its pixel ratio.
QSize logicalSize(const QPixmap& picture) {
    return picture.deviceIndependentSize().toSize();
}

} // namespace

chBut::chBut(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    d->setColors();
    accessibility::installFactory();
    connect(this, &chBut::propertyChanged, this,
            [this](const QString& key) { accessibility::reportChange(this, key); });
}

chBut::~chBut() = default;

quint32 chBut::BackColor() const {
    return d->backColor;
}

quint32 chBut::BackOver() const {
    return d->backOver;
}

quint32 chBut::ForeColor() const {
    return d->foreColor;
}

quint32 chBut::ForeOver() const {
    return d->foreOver;
}

quint32 chBut::MaskColor() const {
    return d->maskColor;
}

chBut::ButtonTypes chBut::ButtonType() const {
    return d->buttonType;
}

QString chBut::Caption() const {
    return d->caption;
}

bool chBut::FontBold() const {
    return font().bold();
}

bool chBut::FontItalic() const {
    return font().italic();
}

bool chBut::FontUnderline() const {
    return font().underline();
}

short chBut::FontSize() const {
    return short(font().pointSize());
}

QString chBut::FontName() const {
    return font().family();
}

chBut::ColorTypes chBut::ColorScheme() const {
    return d->colorScheme;
}

bool chBut::ShowFocusRect() const {
    return d->showFocusRect;
}

short chBut::MousePointer() const {
    return d->mousePointer;
}

QPixmap chBut::MouseIcon() const {
    return d->mouseIcon;
}

bool chBut::HandPointer() const {
    return d->handPointer;
}

qulonglong chBut::hwnd() const {
    return qulonglong(effectiveWinId());
}

bool chBut::SoftBevel() const {
    return d->softBevel;
}

QPixmap chBut::PictureNormal() const {
    return d->pictureNormal;
}

QPixmap chBut::PictureOver() const {
    return d->pictureOver;
}

chBut::PicPositions chBut::PicturePosition() const {
    return d->picturePosition;
}

bool chBut::UseMaskColor() const {
    return d->useMaskColor;
}

bool chBut::UseGreyscale() const {
    return d->useGreyscale;
}

chBut::fx chBut::SpecialEffect() const {
    return d->specialEffect;
}

bool chBut::CheckBoxBehaviour() const {
    return d->checkBoxBehaviour;
}

bool chBut::Value() const {
    return d->value;
}

bool chBut::DisplayAsDefault() const {
    return d->displayAsDefault;
}

bool chBut::DesignMode() const {
    return d->designMode;
}

QChar chBut::AccessKey() const {
    return d->accessKey;
}

bool chBut::isHovered() const {
    return d->hover;
}

bool chBut::Private::paintingAllowed() const {
    return q->isVisible() && !suspended;
}

void chBut::Private::setColors() {
    ButtonColors::Input in;
    in.scheme = colorScheme;
    in.backColor = backColor;
    in.backOver = backOver;
    in.foreColor = foreColor;
    in.foreOver = foreOver;
    in.maskColor = maskColor;
    in.soft = softBevel;
    in.xpStyle = buttonType == WindowsXP;
    in.own = q->palette();
    in.host = q->parentWidget() ? q->parentWidget()->palette() : q->palette();
    colors = ButtonColors::compute(in);
}

int chBut::Private::inset() const {
    return (buttonType == Windows32Bit || buttonType == WindowsXP) ? 4 : 3;
}

void chBut::Private::layoutCaption() {
    const QPixmap& sizing = pictureNormal.isNull() ? pictureOver : pictureNormal;
    const CaptionLayout l = CaptionLayout::compute(QSize(wi, he), q->font(), caption,
                                                   logicalSize(sizing), picturePosition);
    textRect = l.text;
    wrapWidth = l.wrapWidth;
    pictureRect = l.picture;
    focusRect = QRect(inset(), inset(), wi - 2 * inset(), he - 2 * inset());
}

QSize chBut::Private::contentSize() const {
    const QFontMetrics metrics(q->font());
    const QSize text = caption.isEmpty() ? QSize(0, metrics.height())
                                         : metrics.size(Qt::TextShowMnemonic, caption);
    const QSize picture = logicalSize(pictureNormal.isNull() ? pictureOver : pictureNormal);
    if (picture.isEmpty() || caption.isEmpty() || picturePosition == cbBackground)
        return text.expandedTo(picture);
    // Beside the caption 4 pixels apart, or above or below it 2 pixels apart.
    if (picturePosition == cbLeft || picturePosition == cbRight)
        return QSize(text.width() + 4 + picture.width(), qMax(text.height(), picture.height()));
    return QSize(qMax(text.width(), picture.width()), text.height() + 2 + picture.height());
}

QSize chBut::minimumSizeHint() const {
    // The caption keeps a pixel from the focus rectangle on each side.
    const int edge = 2 * (d->inset() + 2);
    return d->contentSize() + QSize(edge, edge);
}

QSize chBut::sizeHint() const {
    return minimumSizeHint() + QSize(2 * QFontMetrics(font()).averageCharWidth(), 4);
}

void chBut::Private::updateRegion() {
    if (buttonType != WindowsXP || wi < 4 || he < 4) {
        q->clearMask();
        return;
    }
    // Rounded corners: two pixels of the edge row and one of the edge column at each corner.
    const int r = wi - 1;
    const int b = he - 1;
    QRegion region(0, 0, wi, he);
    region -= QRegion(0, 0, 2, 1);
    region -= QRegion(0, 1, 1, 1);
    region -= QRegion(r - 1, 0, 2, 1);
    region -= QRegion(r, 1, 1, 1);
    region -= QRegion(0, b, 2, 1);
    region -= QRegion(0, b - 1, 1, 1);
    region -= QRegion(r - 1, b, 2, 1);
    region -= QRegion(r, b - 1, 1, 1);
    q->setMask(region);
}

void chBut::Private::updateAccessKey() {
    accessKey = CaptionLayout::accessKey(caption);
    if (shortcutId != 0) {
        q->releaseShortcut(shortcutId);
        shortcutId = 0;
    }
    if (!accessKey.isNull())
        shortcutId = q->grabShortcut(QKeySequence(QStringLiteral("Alt+") + accessKey.toUpper()));
}

void chBut::Private::redraw(int state, bool force) {
    const int effective = (checkBoxBehaviour && value) ? int(StatePressed) : state;
    lastState = state;
    if (!paintingAllowed() || he == 0)
        return;
    if (!force && caption == lastCaption && effective == drawnState)
        return;
    drawnState = effective;
    lastCaption = caption;

    ButtonLook look;
    look.type = buttonType;
    look.pressed = effective == StatePressed;
    look.hovered = hover;
    look.enabled = q->isEnabled();
    look.focused = hasFocus;
    look.isDefault = displayAsDefault && showFocusRect;
    look.showFocusRect = showFocusRect;
    look.soft = softBevel;
    look.effect = specialEffect;
    look.caption = caption;
    look.font = q->font();
    look.textRect = textRect;
    look.wrapWidth = wrapWidth;
    look.pictureRect = pictureRect;
    look.focusRect = focusRect;
    const QPixmap& picture = (hover && !pictureOver.isNull()) ? pictureOver : pictureNormal;
    look.picture = flattenedPicture(picture, colors.mask);
    look.picturePosition = picturePosition;
    look.useMask = useMaskColor;
    look.greyscale = useGreyscale;
    look.colors = colors;

    // At a device pixel ratio above 1 the caption and picture are drawn at device resolution.
    surface = ButtonPainter::paintAt(QSize(wi, he), q->devicePixelRatioF(), look);
    q->update();
}

void chBut::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (d->surface.isNull())
        p.fillRect(rect(), d->colors.face);
    else
        p.drawImage(0, 0, d->surface);
}

void chBut::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (d->suspended)
        return;
    d->wi = width();
    d->he = height();
    d->layoutCaption();
    d->updateRegion();
    if (d->he != 0)
        d->redraw(d->lastState, true);
}

void chBut::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    d->setColors();
    d->redraw(d->lastState, true);
}

void chBut::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (d->hover) {
        d->hover = false;
        emit MouseOut();
    }
}

void chBut::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        d->redraw(d->lastState, true);
        Private::table().report(*d, &widgetEnabled<Private>);
        break;
    case QEvent::FontChange:
        d->layoutCaption();
        d->redraw(d->lastState, true);
        if (!d->silentFont)
            Private::table().report(*d, &widgetFont<Private>);
        break;
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        // The host's colours changed; custom colours do not follow them.
        if (d->colorScheme != Custom) {
            d->setColors();
            d->redraw(d->lastState, true);
        }
        break;
    default:
        break;
    }
}

bool chBut::event(QEvent* event) {
    // Moved to a screen of another pixel density: the surface is drawn again at the new one.
    if (event->type() == QEvent::ScreenChangeInternal && !d->surface.isNull())
        d->redraw(d->lastState, true);
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (se->shortcutId() == d->shortcutId && d->shortcutId != 0) {
            // The access key acts as a left-button click.
            d->lastButton = Qt::LeftButton;
            d->doClick();
            return true;
        }
    }
    return QWidget::event(event);
}

void chBut::showAbout() {
    AboutBox::showModal(this);
}

void chBut::DisableRefresh() {
    d->suspended = true;
}

void chBut::Refresh() {
    d->suspended = false;
    d->wi = width();
    d->he = height();
    d->setColors();
    d->layoutCaption();
    d->updateRegion();
    d->redraw(d->lastState, true);
    repaint();
}

QImage chBut::surface() const {
    return d->surface;
}

} // namespace glimmer
