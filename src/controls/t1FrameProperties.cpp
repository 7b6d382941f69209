#include <glimmer/t1Frame.h>

#include "controls/t1FramePrivate.h"

#include "controls/PropertyTable.h"

#include <QScopeGuard>

namespace glimmer {

namespace {

// Property-bag keys, equal to the property names; a write reports its change under the same key.
constexpr char kBottomColor[] = "BottomColor";
constexpr char kTopColor[] = "TopColor";
constexpr char kHasTape[] = "HasTape";
constexpr char kTapeHeight[] = "TapeHeight";
constexpr char kTape3D[] = "Tape3D";
constexpr char kCaption[] = "Caption";
constexpr char kFont[] = "Font";
constexpr char kForeColor[] = "ForeColor";
constexpr char kBackColor[] = "BackColor";
constexpr char kInBackColor[] = "InBackColor";
constexpr char kHAlign[] = "HAlign";
constexpr char kVAlign[] = "VAlign";
constexpr char kBackStyle[] = "BackStyle";

} // namespace

const PropertyTable<t1Frame>& t1Frame::propertyTable() {
    using Init = PropertyInit;
    auto font = functionAccess<QFont, t1Frame>([](const t1Frame& f) { return f.font(); },
                                               [](t1Frame& f, const QFont& v) { f.setFont(v); });
    // A new frame starts from the defaults, with the host's name as its caption.
    // clang-format off
#define FIELD(name) fieldAccess<t1Frame, decltype(Private::name)>([](t1Frame& c) -> auto& { return c.d->name; })
    static const PropertyTable<t1Frame> table(PropertyTable<t1Frame>::WithDefaults, {
        {"BottomColor", kBottomColor, fixedDefault(0x808080), FIELD(bottomColor), Init::AsDefault},
        {"TopColor", kTopColor, fixedDefault(0xFFFFFF), FIELD(topColor), Init::AsDefault},
        {"HasTape", kHasTape, fixedDefault(true), FIELD(hasTape), Init::AsDefault},
        {"TapeHeight", kTapeHeight, fixedDefault(17), FIELD(tapeHeight), Init::AsDefault},
        {"Tape3D", kTape3D, fixedDefault(true), FIELD(tape3D), Init::AsDefault},
        {"Caption", kCaption, fixedDefault(QStringLiteral("Hello")), FIELD(caption), Init::HostName},
        {"Font", kFont, hostFontDefault(), font, Init::AsDefault},
        {"ForeColor", kForeColor, fixedDefault(0), FIELD(foreColor), Init::AsDefault},
        {"BackColor", kBackColor, fixedDefault(0xC0C0C0), FIELD(backColor), Init::AsDefault},
        {"InBackColor", kInBackColor, fixedDefault(0xE0E0E0), FIELD(inBackColor), Init::AsDefault},
        {"HAlign", kHAlign, fixedDefault(tf_Center), FIELD(hAlign), Init::AsDefault, {tf_Left, tf_Right}},
        {"vAlign", kVAlign, fixedDefault(tf_Middle), FIELD(vAlign), Init::AsDefault, {tf_Top, tf_Bottom}},
        {"BackStyle", kBackStyle, fixedDefault(Opaque), FIELD(backStyle), Init::AsDefault, {Transparent, Opaque}}});
#undef FIELD
    // clang-format on
    return table;
}

#define GLIMMER_FRAME_SETTER(Type, Name, member, key)                                              \
    void t1Frame::set##Name(Type value) {                                                          \
        if (value == member || !propertyTable().admits(*this, key, value))                         \
            return;                                                                                \
        member = value;                                                                            \
        changed(key);                                                                              \
    }

GLIMMER_FRAME_SETTER(quint32, BottomColor, d->bottomColor, kBottomColor)
GLIMMER_FRAME_SETTER(quint32, TopColor, d->topColor, kTopColor)
GLIMMER_FRAME_SETTER(bool, HasTape, d->hasTape, kHasTape)
GLIMMER_FRAME_SETTER(int, TapeHeight, d->tapeHeight, kTapeHeight)
GLIMMER_FRAME_SETTER(bool, Tape3D, d->tape3D, kTape3D)
GLIMMER_FRAME_SETTER(const QString&, Caption, d->caption, kCaption)
GLIMMER_FRAME_SETTER(quint32, ForeColor, d->foreColor, kForeColor)
GLIMMER_FRAME_SETTER(quint32, BackColor, d->backColor, kBackColor)
GLIMMER_FRAME_SETTER(quint32, InBackColor, d->inBackColor, kInBackColor)
GLIMMER_FRAME_SETTER(tf_HAlign, HAlign, d->hAlign, kHAlign)
GLIMMER_FRAME_SETTER(tf_VAlign, VAlign, d->vAlign, kVAlign)
GLIMMER_FRAME_SETTER(tf_BackStyle, BackStyle, d->backStyle, kBackStyle)

#undef GLIMMER_FRAME_SETTER

void t1Frame::InitProperties(const QString& name) {
    d->quiet = true;
    propertyTable().init(*this, name);
    d->quiet = false;
    Refresh();
}

void t1Frame::ReadProperties(const PropertyBag& bag) {
    d->quiet = true;
    const auto loud = qScopeGuard([this] { d->quiet = false; });
    propertyTable().load(*this, bag);
    Refresh();
}

void t1Frame::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

} // namespace glimmer
