#include <glimmer/t1Frame.h>

#include "PropertyTable.h"

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
    static const PropertyTable<t1Frame> table(PropertyTable<t1Frame>::WithDefaults, {
        {"BottomColor", kBottomColor, fixedDefault(0x808080), memberAccess(&t1Frame::m_bottomColor), Init::AsDefault},
        {"TopColor", kTopColor, fixedDefault(0xFFFFFF), memberAccess(&t1Frame::m_topColor), Init::AsDefault},
        {"HasTape", kHasTape, fixedDefault(true), memberAccess(&t1Frame::m_hasTape), Init::AsDefault},
        {"TapeHeight", kTapeHeight, fixedDefault(17), memberAccess(&t1Frame::m_tapeHeight), Init::AsDefault},
        {"Tape3D", kTape3D, fixedDefault(true), memberAccess(&t1Frame::m_tape3D), Init::AsDefault},
        {"Caption", kCaption, fixedDefault(QStringLiteral("Hello")), memberAccess(&t1Frame::m_caption), Init::HostName},
        {"Font", kFont, hostFontDefault(), font, Init::AsDefault},
        {"ForeColor", kForeColor, fixedDefault(0), memberAccess(&t1Frame::m_foreColor), Init::AsDefault},
        {"BackColor", kBackColor, fixedDefault(0xC0C0C0), memberAccess(&t1Frame::m_backColor), Init::AsDefault},
        {"InBackColor", kInBackColor, fixedDefault(0xE0E0E0), memberAccess(&t1Frame::m_inBackColor), Init::AsDefault},
        {"HAlign", kHAlign, fixedDefault(tf_Center), memberAccess(&t1Frame::m_hAlign), Init::AsDefault, {tf_Left, tf_Right}},
        {"vAlign", kVAlign, fixedDefault(tf_Middle), memberAccess(&t1Frame::m_vAlign), Init::AsDefault, {tf_Top, tf_Bottom}},
        {"BackStyle", kBackStyle, fixedDefault(Opaque), memberAccess(&t1Frame::m_backStyle), Init::AsDefault, {Transparent, Opaque}}});
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

GLIMMER_FRAME_SETTER(quint32, BottomColor, m_bottomColor, kBottomColor)
GLIMMER_FRAME_SETTER(quint32, TopColor, m_topColor, kTopColor)
GLIMMER_FRAME_SETTER(bool, HasTape, m_hasTape, kHasTape)
GLIMMER_FRAME_SETTER(int, TapeHeight, m_tapeHeight, kTapeHeight)
GLIMMER_FRAME_SETTER(bool, Tape3D, m_tape3D, kTape3D)
GLIMMER_FRAME_SETTER(const QString&, Caption, m_caption, kCaption)
GLIMMER_FRAME_SETTER(quint32, ForeColor, m_foreColor, kForeColor)
GLIMMER_FRAME_SETTER(quint32, BackColor, m_backColor, kBackColor)
GLIMMER_FRAME_SETTER(quint32, InBackColor, m_inBackColor, kInBackColor)
GLIMMER_FRAME_SETTER(tf_HAlign, HAlign, m_hAlign, kHAlign)
GLIMMER_FRAME_SETTER(tf_VAlign, VAlign, m_vAlign, kVAlign)
GLIMMER_FRAME_SETTER(tf_BackStyle, BackStyle, m_backStyle, kBackStyle)

#undef GLIMMER_FRAME_SETTER

void t1Frame::InitProperties(const QString& name) {
    m_quiet = true;
    propertyTable().init(*this, name);
    m_quiet = false;
    Refresh();
}

void t1Frame::ReadProperties(const PropertyBag& bag) {
    m_quiet = true;
    const auto loud = qScopeGuard([this] { m_quiet = false; });
    propertyTable().load(*this, bag);
    Refresh();
}

void t1Frame::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

} // namespace glimmer
