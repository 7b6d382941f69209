#include "app/shell/DarkPalette.h"

#include <utility>

namespace notaro::app {

QPalette darkPalette() {
    QPalette p;
    // clang-format off
    const std::pair<QPalette::ColorRole, QRgb> roles[] = {
        {QPalette::Window, qRgb(45, 45, 48)}, {QPalette::WindowText, qRgb(230, 230, 230)},
        {QPalette::Base, qRgb(30, 30, 30)}, {QPalette::AlternateBase, qRgb(45, 45, 48)},
        {QPalette::Text, qRgb(230, 230, 230)}, {QPalette::Button, qRgb(55, 55, 58)},
        {QPalette::ButtonText, qRgb(230, 230, 230)}, {QPalette::BrightText, qRgb(255, 80, 80)},
        {QPalette::Light, qRgb(90, 90, 94)}, {QPalette::Midlight, qRgb(70, 70, 74)},
        {QPalette::Mid, qRgb(40, 40, 42)}, {QPalette::Dark, qRgb(25, 25, 26)},
        {QPalette::Shadow, qRgb(0, 0, 0)}, {QPalette::Highlight, qRgb(38, 79, 120)},
        {QPalette::HighlightedText, qRgb(255, 255, 255)}, {QPalette::Link, qRgb(110, 170, 255)},
        {QPalette::LinkVisited, qRgb(190, 140, 255)}, {QPalette::ToolTipBase, qRgb(55, 55, 58)},
        {QPalette::ToolTipText, qRgb(230, 230, 230)},
        {QPalette::PlaceholderText, qRgb(150, 150, 150)}};
    // clang-format on
    for (const auto& [role, rgb] : roles)
        p.setColor(role, QColor(rgb));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(130, 130, 130));
    return p;
}

} // namespace notaro::app
