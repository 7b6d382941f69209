#include <glimmer/chBut.h>

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

// Each poll asks the display server where the pointer is; 40 ms still feels immediate when the
// pointer leaves, and costs a third of the wake-ups of a faster poll.
constexpr int HoverPollMs = 40;

/// Pictures with transparency (icons) are first drawn onto the mask colour, so that their
/// transparent parts follow UseMaskColor like the mask colour itself.
QImage flattenedPicture(const QPixmap& picture, const QColor& mask) {
    if (picture.isNull())
        return QImage();
    QImage image = picture.toImage();
    if (!image.hasAlphaChannel())
        return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(mask);
    QPainter(&flat).drawImage(0, 0, image);
    return flat;
}

} // namespace

chBut::chBut(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    d->hoverTimer.setInterval(HoverPollMs);
    connect(&d->hoverTimer, &QTimer::timeout, this, &chBut::pollHover);
    SetColors();
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

bool chBut::paintingAllowed() const {
    return isVisible() && !d->suspended;
}

void chBut::SetColors() {
    ButtonColors::Input in;
    in.scheme = d->colorScheme;
    in.backColor = d->backColor;
    in.backOver = d->backOver;
    in.foreColor = d->foreColor;
    in.foreOver = d->foreOver;
    in.maskColor = d->maskColor;
    in.soft = d->softBevel;
    in.xpStyle = d->buttonType == WindowsXP;
    in.own = palette();
    in.host = parentWidget() ? parentWidget()->palette() : palette();
    d->colors = ButtonColors::compute(in);
}

void chBut::layoutCaption() {
    const QPixmap& sizing = d->pictureNormal.isNull() ? d->pictureOver : d->pictureNormal;
    const CaptionLayout l = CaptionLayout::compute(QSize(d->wi, d->he), font(), d->caption,
                                                   sizing.size(), d->picturePosition);
    d->textRect = l.text;
    d->wrapWidth = l.wrapWidth;
    d->pictureRect = l.picture;
    const int inset = (d->buttonType == Windows32Bit || d->buttonType == WindowsXP) ? 4 : 3;
    d->focusRect = QRect(inset, inset, d->wi - 2 * inset, d->he - 2 * inset);
}

void chBut::updateRegion() {
    if (d->buttonType != WindowsXP || d->wi < 4 || d->he < 4) {
        clearMask();
        return;
    }
    // Rounded corners: two pixels of the edge row and one of the edge column at each corner.
    const int r = d->wi - 1;
    const int b = d->he - 1;
    QRegion region(0, 0, d->wi, d->he);
    region -= QRegion(0, 0, 2, 1);
    region -= QRegion(0, 1, 1, 1);
    region -= QRegion(r - 1, 0, 2, 1);
    region -= QRegion(r, 1, 1, 1);
    region -= QRegion(0, b, 2, 1);
    region -= QRegion(0, b - 1, 1, 1);
    region -= QRegion(r - 1, b, 2, 1);
    region -= QRegion(r, b - 1, 1, 1);
    setMask(region);
}

void chBut::updateAccessKey() {
    d->accessKey = CaptionLayout::accessKey(d->caption);
    if (d->shortcutId != 0) {
        releaseShortcut(d->shortcutId);
        d->shortcutId = 0;
    }
    if (!d->accessKey.isNull())
        d->shortcutId = grabShortcut(QKeySequence(QStringLiteral("Alt+") + d->accessKey.toUpper()));
}

void chBut::Redraw(int state, bool force) {
    const int effective = (d->checkBoxBehaviour && d->value) ? int(StatePressed) : state;
    d->lastState = state;
    if (!paintingAllowed() || d->he == 0)
        return;
    if (!force && d->caption == d->lastCaption && effective == d->drawnState)
        return;
    d->drawnState = effective;
    d->lastCaption = d->caption;

    ButtonLook look;
    look.type = d->buttonType;
    look.pressed = effective == StatePressed;
    look.hovered = d->hover;
    look.enabled = isEnabled();
    look.focused = d->hasFocus;
    look.isDefault = d->displayAsDefault && d->showFocusRect;
    look.showFocusRect = d->showFocusRect;
    look.soft = d->softBevel;
    look.effect = d->specialEffect;
    look.caption = d->caption;
    look.font = font();
    look.textRect = d->textRect;
    look.wrapWidth = d->wrapWidth;
    look.pictureRect = d->pictureRect;
    look.focusRect = d->focusRect;
    const QPixmap& picture =
        (d->hover && !d->pictureOver.isNull()) ? d->pictureOver : d->pictureNormal;
    look.picture = flattenedPicture(picture, d->colors.mask);
    look.picturePosition = d->picturePosition;
    look.useMask = d->useMaskColor;
    look.greyscale = d->useGreyscale;
    look.colors = d->colors;

    d->surface = QImage(d->wi, d->he, QImage::Format_RGB32);
    ButtonPainter::paint(d->surface, look);
    update();
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
    layoutCaption();
    updateRegion();
    if (d->he != 0)
        Redraw(d->lastState, true);
}

void chBut::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SetColors();
    Redraw(d->lastState, true);
}

void chBut::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (d->hover) {
        d->hoverTimer.stop();
        d->hover = false;
        emit MouseOut();
    }
}

void chBut::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        Redraw(d->lastState, true);
        if (!d->quiet)
            emit propertyChanged(QStringLiteral("ENAB"));
        break;
    case QEvent::FontChange:
        layoutCaption();
        Redraw(d->lastState, true);
        if (!d->quiet && !d->silentFont)
            emit propertyChanged(QStringLiteral("FONT"));
        break;
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        // The host's colours changed; custom colours do not follow them.
        if (d->colorScheme != Custom) {
            SetColors();
            Redraw(d->lastState, true);
        }
        break;
    default:
        break;
    }
}

bool chBut::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (se->shortcutId() == d->shortcutId && d->shortcutId != 0) {
            // The access key acts as a left-button click.
            d->lastButton = Qt::LeftButton;
            doClick();
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
    SetColors();
    layoutCaption();
    updateRegion();
    Redraw(d->lastState, true);
    repaint();
}

QImage chBut::surface() const {
    return d->surface;
}

void chBut::changed(const char* key, bool colours, bool layout) {
    if (colours)
        SetColors();
    if (layout)
        layoutCaption();
    Redraw(d->lastState, true);
    emit propertyChanged(QString::fromLatin1(key));
}

} // namespace glimmer
