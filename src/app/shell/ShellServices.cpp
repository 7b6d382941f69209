#include "app/shell/ShellServices.h"

#include "app/editor/ReadableColour.h"

#include "app/shell/AppValues.h"
#include "app/shell/UserPrompts.h"

#include <glimmer/OleColor.h>

#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include <cmath>

namespace notaro::app {

bool initCommonControlsSafe() {
    return true;
}

void centeredPosition(int screenW, int screenH, int windowW, int windowH, int& left, int& top) {
    left = (screenW - windowW) / 2;
    top = static_cast<int>(std::lround(0.75 * (screenH - windowH) / 2));
}

void centerFormOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect full = screen->geometry();
    const QRect frame = window.frameGeometry();
    int left = 0, top = 0;
    centeredPosition(full.width() * kTwipsPerPixel, full.height() * kTwipsPerPixel,
                     frame.width() * kTwipsPerPixel, frame.height() * kTwipsPerPixel, left, top);
    window.move(full.left() + left / kTwipsPerPixel, full.top() + top / kTwipsPerPixel);
}

void setMenuBarColor(QMenuBar* menuBar, quint32 colour, bool forSubmenus) {
    if (!menuBar)
        return;
    const QColor c = glimmer::OleColor::toColor(colour, menuBar->palette());
    if (!c.isValid())
        return;
    // The bar's own background only: a style sheet on QMenuBar would reach its drop-down menus
    // too, so the bar is painted through its palette and left to the style.
    QPalette p = menuBar->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    // The palette's text colour may be meant for a dark ground: it is made readable on this one.
    const QColor text = readableOn(p.color(QPalette::WindowText), c);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    menuBar->setPalette(p);
    menuBar->setAutoFillBackground(true);
    menuBar->setStyleSheet(
        QStringLiteral("QMenuBar { background-color: %1; color: %2; }").arg(c.name(), text.name()));
    if (forSubmenus) {
        for (QAction* action : menuBar->actions()) {
            if (QMenu* menu = action->menu()) {
                QPalette mp = menu->palette();
                mp.setColor(QPalette::Window, c);
                menu->setPalette(mp);
            }
        }
    }
    menuBar->update();
}

void openHelpTopic(const QString& path, UserPrompts& prompts, QWidget* parent) {
    if (QFileInfo(path).isFile()) {
        prompts.openUrl(QUrl::fromLocalFile(path));
        return;
    }
    prompts.showMessage(parent, QStringLiteral("The help topic is not available."),
                        UserPrompts::Icon::Exclamation);
}

} // namespace notaro::app
