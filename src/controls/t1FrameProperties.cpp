#include <glimmer/t1Frame.h>

#include "controls/t1FramePrivate.h"

namespace glimmer {

const PropertyTable<t1Frame::Private>& t1Frame::Private::table() {
    using P = Private;
    using effect::Relayout;
    const auto init = PropertyInit::AsDefault;
    auto font = getterAccess(&widgetFont<P>, [](P& d, const QFont& v) { d.q->setFont(v); });
    // A new frame starts from the defaults, with the host's name as its caption.
    // clang-format off
    static const PropertyTable<P> rows(PropertyTable<P>::WithDefaults, &P::apply, {
        {"BottomColor", fixedDefault(0x808080), memberAccess(&P::bottomColor), init},
        {"TopColor", fixedDefault(0xFFFFFF), memberAccess(&P::topColor), init},
        {"HasTape", fixedDefault(true), memberAccess(&P::hasTape), init, {}, Relayout},
        {"TapeHeight", fixedDefault(17), memberAccess(&P::tapeHeight), init, {}, Relayout},
        {"Tape3D", fixedDefault(true), memberAccess(&P::tape3D), init, {}, Relayout},
        {"Caption", fixedDefault(QStringLiteral("Hello")), memberAccess(&P::caption), PropertyInit::HostName, {}, Relayout},
        {"Font", hostFontDefault(), font, init},
        {"ForeColor", fixedDefault(0), memberAccess(&P::foreColor), init},
        {"BackColor", fixedDefault(0xC0C0C0), memberAccess(&P::backColor), init},
        {"InBackColor", fixedDefault(0xE0E0E0), memberAccess(&P::inBackColor), init},
        {"HAlign", fixedDefault(tf_Center), memberAccess(&P::hAlign), init, {tf_Left, tf_Right}},
        {"vAlign", "VAlign", fixedDefault(tf_Middle), memberAccess(&P::vAlign), init, {tf_Top, tf_Bottom}},
        {"BackStyle", fixedDefault(Opaque), memberAccess(&P::backStyle), init, {Transparent, Opaque}}});
    // clang-format on
    return rows;
}

void t1Frame::setBottomColor(quint32 value) {
    assign(*d, &Private::bottomColor, value);
}
void t1Frame::setTopColor(quint32 value) {
    assign(*d, &Private::topColor, value);
}
void t1Frame::setHasTape(bool value) {
    assign(*d, &Private::hasTape, value);
}
void t1Frame::setTapeHeight(int value) {
    assign(*d, &Private::tapeHeight, value);
}
void t1Frame::setTape3D(bool value) {
    assign(*d, &Private::tape3D, value);
}
void t1Frame::setCaption(const QString& value) {
    assign(*d, &Private::caption, value);
}
void t1Frame::setForeColor(quint32 value) {
    assign(*d, &Private::foreColor, value);
}
void t1Frame::setBackColor(quint32 value) {
    assign(*d, &Private::backColor, value);
}
void t1Frame::setInBackColor(quint32 value) {
    assign(*d, &Private::inBackColor, value);
}
void t1Frame::setHAlign(tf_HAlign value) {
    assign(*d, &Private::hAlign, value);
}
void t1Frame::setVAlign(tf_VAlign value) {
    assign(*d, &Private::vAlign, value);
}
void t1Frame::setBackStyle(tf_BackStyle value) {
    assign(*d, &Private::backStyle, value);
}

void t1Frame::InitProperties(const QString& name) {
    Private::table().init(*d, name);
    d->apply(effect::Relayout);
}

void t1Frame::ReadProperties(const PropertyBag& bag) {
    Private::table().load(*d, bag);
    d->apply(effect::Relayout);
}

void t1Frame::WriteProperties(PropertyBag& bag) const {
    Private::table().write(*d, bag);
}

} // namespace glimmer
