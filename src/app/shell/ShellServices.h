#pragma once

#include <QString>
#include <QtGlobal>

class QMenuBar;
class QWidget;

namespace notaro::app {

class UserPrompts;

/// Twips per logical pixel: window coordinates of the program's designs are in twips.
inline constexpr int kTwipsPerPixel = 15;

/// Registers the system's extended control classes. Qt needs nothing of the kind, so this
/// always succeeds; it stays so that start-up keeps its order.
bool initCommonControlsSafe();

/// Places the window: left := (screen width - window width) / 2, top := 0.75 * (screen height
/// - window height) / 2, computed in twips from the full screen and the window's outer size.
void centerFormOnScreen(QWidget& window);
/// The arithmetic of centerFormOnScreen, in twips. @return the left and top corner
void centeredPosition(int screenW, int screenH, int windowW, int windowH, int& left, int& top);

/// Paints the menu bar's background in colour (0x00BBGGRR, or a system colour with the top
/// bit set); the drop-down menus keep the system colour unless forSubmenus. Failures are
/// ignored: the bar then keeps the system colour.
void setMenuBarColor(QMenuBar* menuBar, quint32 colour, bool forSubmenus);

/// Opens the help page at path with the desktop's default program, or shows "The help topic
/// is not available." when no file is there.
void openHelpTopic(const QString& path, UserPrompts& prompts, QWidget* parent);

} // namespace notaro::app
