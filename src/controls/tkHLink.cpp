#include <glimmer/tkHLink.h>

#include "InputCodes.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QDesktopServices>
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

tkHLink::tkHLink(QWidget* parent)
    : QFrame(parent), m_label(new QLabel(this)), m_backColor(OleColor::ButtonFace),
      m_opener([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    m_label->setTextFormat(Qt::PlainText);
    m_label->setMouseTracking(true);
    m_label->installEventFilter(this);
    m_label->setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    applyColours();
    applyAlignment();
    applyBorder();
}

tkHLink::~tkHLink() = default;

void tkHLink::applyColours() {
    QPalette surface = palette();
    surface.setColor(QPalette::Window, OleColor::toColor(m_backColor, palette()));
    surface.setColor(QPalette::WindowText, OleColor::toColor(0x80000006u, palette()));
    setPalette(surface);
    setAutoFillBackground(m_backStyle == 1);
    QPalette text = m_label->palette();
    text.setColor(QPalette::WindowText, OleColor::toColor(m_activeColor, palette()));
    // A disabled link shows in the system's grey text colour, whatever its link colour.
    text.setColor(QPalette::Disabled, QPalette::WindowText,
                  OleColor::toColor(0x80000011u, palette()));
    m_label->setPalette(text);
}

void tkHLink::applyBorder() {
    if (m_borderStyle == FixedSingle) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    m_label->setGeometry(contentsRect());
}

void tkHLink::applyAlignment() {
    static const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    m_label->setAlignment(across[m_alignment] | Qt::AlignTop);
}

void tkHLink::fitToLabel() {
    m_label->adjustSize();
    const int extra = m_borderStyle == FixedSingle ? BorderAllowance : 0;
    resize(m_label->width() + extra, m_label->height() + extra);
}

void tkHLink::setOpener(Opener opener) {
    m_opener = std::move(opener);
}

void tkHLink::showAbout() {
    AboutBox::showModal(this);
}

void tkHLink::Refresh() {
    m_label->update();
    update();
}

void tkHLink::activate() {
    bool cancel = false;
    emit Navigate(cancel);
    if (!cancel)
        openLink();
}

void tkHLink::openLink() {
    if (m_url.isEmpty())
        m_url = m_label->text();
    QString address = m_url;
    if (isMailtoAddress(address))
        address = address.mid(7);
    if (m_opener) {
        if (isMailAddress(address))
            m_opener(QUrl(QStringLiteral("mailto:") + address));
        else
            m_opener(QUrl::fromUserInput(address, QDir::currentPath()));
    }
    m_activeColor = m_visitedColor;
    applyColours();
    Refresh();
}

bool tkHLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_label)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        m_leftPressed = e->button() == Qt::LeftButton;
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
        const bool click = e->button() == Qt::LeftButton && m_leftPressed &&
                           m_label->rect().contains(e->position().toPoint());
        m_leftPressed = false;
        if (click) {
            emit Click();
            if (m_singleClick)
                activate();
        }
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        // The release that ends a double click raises no second Click.
        m_leftPressed = false;
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
    if (event->type() == QEvent::EnabledChange && !m_quiet)
        emit propertyChanged(QStringLiteral("Enabled"));
}

void tkHLink::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    m_label->setGeometry(contentsRect());
    emit Resize();
}

} // namespace glimmer
