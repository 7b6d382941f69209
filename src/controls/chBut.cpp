#include <glimmer/chBut.h>

#include "ButtonColors.h"
#include "ButtonPainter.h"
#include "CaptionLayout.h"

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

chBut::chBut(QWidget* parent)
    : QWidget(parent), m_backColor(OleColor::ButtonFace), m_backOver(OleColor::ButtonFace),
      m_foreColor(OleColor::ButtonText), m_foreOver(OleColor::ButtonText),
      m_colors(std::make_unique<ButtonColors>()) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hoverTimer.setInterval(HoverPollMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &chBut::pollHover);
    SetColors();
}

chBut::~chBut() = default;

bool chBut::paintingAllowed() const {
    return isVisible() && !m_suspended;
}

void chBut::SetColors() {
    ButtonColors::Input in;
    in.scheme = m_colorScheme;
    in.backColor = m_backColor;
    in.backOver = m_backOver;
    in.foreColor = m_foreColor;
    in.foreOver = m_foreOver;
    in.maskColor = m_maskColor;
    in.soft = m_softBevel;
    in.xpStyle = m_buttonType == WindowsXP;
    in.own = palette();
    in.host = parentWidget() ? parentWidget()->palette() : palette();
    *m_colors = ButtonColors::compute(in);
}

void chBut::layoutCaption() {
    const QPixmap& sizing = m_pictureNormal.isNull() ? m_pictureOver : m_pictureNormal;
    const CaptionLayout l = CaptionLayout::compute(QSize(m_wi, m_he), font(), m_caption,
                                                   sizing.size(), m_picturePosition);
    m_textRect = l.text;
    m_wrapWidth = l.wrapWidth;
    m_pictureRect = l.picture;
    const int inset = (m_buttonType == Windows32Bit || m_buttonType == WindowsXP) ? 4 : 3;
    m_focusRect = QRect(inset, inset, m_wi - 2 * inset, m_he - 2 * inset);
}

void chBut::updateRegion() {
    if (m_buttonType != WindowsXP || m_wi < 4 || m_he < 4) {
        clearMask();
        return;
    }
    // Rounded corners: two pixels of the edge row and one of the edge column at each corner.
    const int r = m_wi - 1;
    const int b = m_he - 1;
    QRegion region(0, 0, m_wi, m_he);
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
    m_accessKey = CaptionLayout::accessKey(m_caption);
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    if (!m_accessKey.isNull())
        m_shortcutId = grabShortcut(QKeySequence(QStringLiteral("Alt+") + m_accessKey.toUpper()));
}

void chBut::Redraw(int state, bool force) {
    const int effective = (m_checkBoxBehaviour && m_value) ? int(StatePressed) : state;
    m_lastState = state;
    if (!paintingAllowed() || m_he == 0)
        return;
    if (!force && m_caption == m_lastCaption && effective == m_drawnState)
        return;
    m_drawnState = effective;
    m_lastCaption = m_caption;

    ButtonLook look;
    look.type = m_buttonType;
    look.pressed = effective == StatePressed;
    look.hovered = m_hover;
    look.enabled = isEnabled();
    look.focused = m_hasFocus;
    look.isDefault = m_displayAsDefault && m_showFocusRect;
    look.showFocusRect = m_showFocusRect;
    look.soft = m_softBevel;
    look.effect = m_specialEffect;
    look.caption = m_caption;
    look.font = font();
    look.textRect = m_textRect;
    look.wrapWidth = m_wrapWidth;
    look.pictureRect = m_pictureRect;
    look.focusRect = m_focusRect;
    const QPixmap& picture = (m_hover && !m_pictureOver.isNull()) ? m_pictureOver : m_pictureNormal;
    look.picture = flattenedPicture(picture, m_colors->mask);
    look.picturePosition = m_picturePosition;
    look.useMask = m_useMaskColor;
    look.greyscale = m_useGreyscale;
    look.colors = *m_colors;

    m_surface = QImage(m_wi, m_he, QImage::Format_RGB32);
    ButtonPainter::paint(m_surface, look);
    update();
}

void chBut::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_surface.isNull())
        p.fillRect(rect(), m_colors->face);
    else
        p.drawImage(0, 0, m_surface);
}

void chBut::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_suspended)
        return;
    m_wi = width();
    m_he = height();
    layoutCaption();
    updateRegion();
    if (m_he != 0)
        Redraw(m_lastState, true);
}

void chBut::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SetColors();
    Redraw(m_lastState, true);
}

void chBut::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (m_hover) {
        m_hoverTimer.stop();
        m_hover = false;
        emit MouseOut();
    }
}

void chBut::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        Redraw(m_lastState, true);
        if (!m_quiet)
            emit propertyChanged(QStringLiteral("ENAB"));
        break;
    case QEvent::FontChange:
        layoutCaption();
        Redraw(m_lastState, true);
        if (!m_quiet && !m_silentFont)
            emit propertyChanged(QStringLiteral("FONT"));
        break;
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        // The host's colours changed; custom colours do not follow them.
        if (m_colorScheme != Custom) {
            SetColors();
            Redraw(m_lastState, true);
        }
        break;
    default:
        break;
    }
}

bool chBut::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (se->shortcutId() == m_shortcutId && m_shortcutId != 0) {
            // The access key acts as a left-button click.
            m_lastButton = Qt::LeftButton;
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
    m_suspended = true;
}

void chBut::Refresh() {
    m_suspended = false;
    m_wi = width();
    m_he = height();
    SetColors();
    layoutCaption();
    updateRegion();
    Redraw(m_lastState, true);
    repaint();
}

void chBut::changed(const char* key, bool colours, bool layout) {
    if (colours)
        SetColors();
    if (layout)
        layoutCaption();
    Redraw(m_lastState, true);
    emit propertyChanged(QString::fromLatin1(key));
}

} // namespace glimmer
