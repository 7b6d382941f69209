#include <glimmer/tkHLink.h>

#include "controls/AccessibleFactory.h"
#include "controls/tkHLinkPrivate.h"

#include "controls/InputCodes.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>

namespace glimmer {

namespace {

constexpr int BorderAllowance = 7; // 100 twips at 15 twips per pixel, rounded

bool isMailAddress(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^.*@.*\\..*$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return pattern.match(text).hasMatch();
}

bool isMailtoAddress(const QString& text) {
    // URL schemes ignore case, so "MAILTO:" is a mailto address too.
    static const QRegularExpression pattern(QStringLiteral("^mailto:.*@.*\\..*$"),
                                            QRegularExpression::DotMatchesEverythingOption |
                                                QRegularExpression::CaseInsensitiveOption);
    return pattern.match(text).hasMatch();
}

} // namespace

tkHLink::tkHLink(QWidget* parent) : QFrame(parent), d(std::make_unique<Private>(this)) {
    d->label = new QLabel(this);
    d->label->setTextFormat(Qt::PlainText);
    d->label->setMouseTracking(true);
    d->label->installEventFilter(this);
    d->label->setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    d->applyColours();
    d->applyAlignment();
    d->applyBorder();
    accessibility::installFactory();
    connect(this, &tkHLink::propertyChanged, this,
            [this](const QString& key) { accessibility::reportChange(this, key); });
}

tkHLink::~tkHLink() = default;

quint32 tkHLink::BackColor() const {
    return d->backColor;
}

tkHLink::BorderStyles tkHLink::BorderStyle() const {
    return d->borderStyle;
}

tkHLink::Alignments tkHLink::Alignment() const {
    return d->alignment;
}

bool tkHLink::AutoSize() const {
    return d->autoSize;
}

qulonglong tkHLink::hwnd() const {
    return qulonglong(effectiveWinId());
}

quint32 tkHLink::LinkActiveColor() const {
    return d->activeColor;
}

quint32 tkHLink::LinkVisitedColor() const {
    return d->visitedColor;
}

bool tkHLink::LinkSingleClickActivate() const {
    return d->singleClick;
}

QString tkHLink::LinkURL() const {
    return d->url;
}

short tkHLink::BackStyle() const {
    return d->backStyle;
}

QLabel* tkHLink::label() const {
    return d->label;
}

void tkHLink::Private::applyColours() {
    // System colours resolve in the host's palette, so that they follow it when it changes.
    const QPalette own =
        q->parentWidget() ? q->parentWidget()->palette() : QApplication::palette(q);
    QPalette surface = own;
    applyingColours = true;
    surface.setColor(QPalette::Window, OleColor::toColor(backColor, own));
    surface.setColor(QPalette::WindowText, OleColor::toColor(0x80000006u, own));
    q->setPalette(surface);
    q->setAutoFillBackground(backStyle == 1);
    QPalette text = label->palette();
    text.setColor(QPalette::WindowText, OleColor::toColor(activeColor, q->palette()));
    // A disabled link shows in the system's grey text colour, whatever its link colour.
    text.setColor(QPalette::Disabled, QPalette::WindowText,
                  OleColor::toColor(0x80000011u, q->palette()));
    label->setPalette(text);
    applyingColours = false;
}

void tkHLink::Private::applyBorder() {
    if (borderStyle == FixedSingle) {
        q->setFrameStyle(QFrame::Box | QFrame::Plain);
        q->setLineWidth(1);
    } else {
        q->setFrameStyle(QFrame::NoFrame);
    }
    label->setGeometry(q->contentsRect());
}

void tkHLink::Private::applyAlignment() {
    static const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    label->setAlignment(across[alignment] | Qt::AlignTop);
}

void tkHLink::Private::fitToLabel() {
    label->adjustSize();
    const int extra = borderStyle == FixedSingle ? BorderAllowance : 0;
    q->resize(label->width() + extra, label->height() + extra);
}

QSize tkHLink::sizeHint() const {
    const int frame = 2 * frameWidth();
    return d->label->sizeHint() + QSize(frame, frame);
}

QSize tkHLink::minimumSizeHint() const {
    const int frame = 2 * frameWidth();
    return d->label->minimumSizeHint() + QSize(frame, frame);
}

void tkHLink::setOpener(Opener opener) {
    d->opener = std::move(opener);
}

void tkHLink::showAbout() {
    AboutBox::showModal(this);
}

void tkHLink::Refresh() {
    d->label->update();
    update();
}

void tkHLink::activate() {
    bool cancel = false;
    emit Navigate(cancel);
    if (!cancel)
        d->openLink();
}

void tkHLink::Private::openLink() {
    if (url.isEmpty())
        url = label->text();
    QString address = url;
    if (isMailtoAddress(address))
        address = address.mid(7);
    if (opener) {
        if (isMailAddress(address))
            opener(QUrl(QStringLiteral("mailto:") + address));
        else
            opener(QUrl::fromUserInput(address, QDir::currentPath()));
    }
    activeColor = visitedColor;
    applyColours();
    q->Refresh();
}

bool tkHLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched != d->label)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        d->leftPressed = e->button() == Qt::LeftButton;
        emit MouseDown(InputCodes::buttons(e->button()), InputCodes::shift(e->modifiers()),
                       float(e->position().x()), float(e->position().y()));
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        emit MouseMove(InputCodes::buttons(e->buttons()), InputCodes::shift(e->modifiers()),
                       float(e->position().x()), float(e->position().y()));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        emit MouseUp(InputCodes::buttons(e->button()), InputCodes::shift(e->modifiers()),
                     float(e->position().x()), float(e->position().y()));
        const bool click = e->button() == Qt::LeftButton && d->leftPressed &&
                           d->label->rect().contains(e->position().toPoint());
        d->leftPressed = false;
        if (click) {
            emit Click();
            if (d->singleClick)
                activate();
        }
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        // The release that ends a double click raises no second Click.
        d->leftPressed = false;
        if (e->button() == Qt::LeftButton) {
            emit DblClick();
            activate();
        }
        return true;
    }
    default:
        return QFrame::eventFilter(watched, event);
    }
}

void tkHLink::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        Private::table().report(*d, &widgetEnabled<Private>);
    // The host's palette changed (not this control's own colours being applied).
    if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange) &&
        !d->applyingColours)
        d->applyColours();
}

void tkHLink::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    d->label->setGeometry(contentsRect());
    emit Resize();
}

} // namespace glimmer
