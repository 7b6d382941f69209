#include <glimmer/OleColor.h>

namespace glimmer::OleColor {

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The classic system colour table, index by index, mapped to the palette role that plays the same
// part on this platform. Indices the table does not know fall back to the window colour.
SystemRole systemRole(int index) {
    using P = QPalette;
    switch (index) {
    case 0:
        return {P::Active, P::Mid}; // scroll bar
    case 1:
        return {P::Active, P::Window}; // desktop
    case 2:
        return {P::Active, P::Highlight}; // active caption
    case 3:
        return {P::Inactive, P::Highlight}; // inactive caption
    case 4:
        return {P::Active, P::Window}; // menu
    case 5:
        return {P::Active, P::Base}; // window
    case 6:
        return {P::Active, P::Shadow}; // window frame
    case 7:
        return {P::Active, P::WindowText}; // menu text
    case 8:
        return {P::Active, P::Text}; // window text
    case 9:
        return {P::Active, P::HighlightedText}; // caption text
    case 10:
        return {P::Active, P::Window}; // active border
    case 11:
        return {P::Inactive, P::Window}; // inactive border
    case 12:
        return {P::Active, P::Dark}; // application workspace
    case 13:
        return {P::Active, P::Highlight}; // selection
    case 14:
        return {P::Active, P::HighlightedText}; // selected text
    case 15:
        return {P::Active, P::Button}; // button face
    case 16:
        return {P::Active, P::Dark}; // button shadow
    case 17:
        return {P::Disabled, P::Text}; // grey text
    case 18:
        return {P::Active, P::ButtonText}; // button text
    case 19:
        return {P::Inactive, P::HighlightedText}; // inactive caption text
    case 20:
        return {P::Active, P::Light}; // button highlight
    case 21:
        return {P::Active, P::Shadow}; // 3-D dark shadow
    case 22:
        return {P::Active, P::Midlight}; // 3-D light
    case 23:
        return {P::Active, P::ToolTipText}; // info text
    case 24:
        return {P::Active, P::ToolTipBase}; // info background
    case 26:
        return {P::Active, P::Link}; // hot-tracked item
    case 27:
        return {P::Active, P::Highlight}; // gradient active caption
    case 28:
        return {P::Inactive, P::Highlight}; // gradient inactive caption
    case 29:
        return {P::Active, P::Highlight}; // menu highlight
    case 30:
        return {P::Active, P::Window}; // menu bar
    default:
        return {P::Active, P::Window};
    }
}

} // namespace

bool isSystemColor(quint32 value) {
    return (value & SystemFlag) != 0;
}

QColor toColor(quint32 value, const QPalette& palette) {
    if (isSystemColor(value)) {
        const SystemRole r = systemRole(int(value & 0xFFu));
        QColor c = palette.color(r.group, r.role);
        c.setAlpha(255);
        return c;
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

quint32 fromColor(const QColor& color) {
    return rgb(color.red(), color.green(), color.blue());
}

} // namespace glimmer::OleColor
