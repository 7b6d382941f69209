#include <glimmer/t1Frame.h>

#include "BagValues.h"

#include <glimmer/PropertyBag.h>
#include <glimmer/PropertyError.h>

#include <QApplication>

namespace glimmer {

namespace {

const QString kBottomColor = QStringLiteral("BottomColor");
const QString kTopColor = QStringLiteral("TopColor");
const QString kHasTape = QStringLiteral("HasTape");
const QString kTapeHeight = QStringLiteral("TapeHeight");
const QString kTape3D = QStringLiteral("Tape3D");
const QString kCaption = QStringLiteral("Caption");
const QString kFont = QStringLiteral("Font");
const QString kForeColor = QStringLiteral("ForeColor");
const QString kBackColor = QStringLiteral("BackColor");
const QString kInBackColor = QStringLiteral("InBackColor");
const QString kHAlign = QStringLiteral("HAlign");
const QString kVAlign = QStringLiteral("VAlign");
const QString kBackStyle = QStringLiteral("BackStyle");

struct Defaults {
    static constexpr quint32 bottom = 0x808080, top = 0xFFFFFF, fore = 0, back = 0xC0C0C0,
                             inBack = 0xE0E0E0;
    static constexpr int tapeHeight = 17, hAlign = 1, vAlign = 1, backStyle = 1;
};

int inRange(const QString& key, int value, int low, int high) {
    if (value < low || value > high)
        throw PropertyError(key, QStringLiteral("value %1 out of range").arg(value));
    return value;
}

} // namespace

#define GLIMMER_FRAME_SETTER(Type, Name, member, key)                                              \
    void t1Frame::set##Name(Type value) {                                                          \
        if (value == member)                                                                       \
            return;                                                                                \
        member = value;                                                                            \
        changed(key);                                                                              \
    }

GLIMMER_FRAME_SETTER(quint32, BottomColor, m_bottomColor, "BottomColor")
GLIMMER_FRAME_SETTER(quint32, TopColor, m_topColor, "TopColor")
GLIMMER_FRAME_SETTER(bool, HasTape, m_hasTape, "HasTape")
GLIMMER_FRAME_SETTER(int, TapeHeight, m_tapeHeight, "TapeHeight")
GLIMMER_FRAME_SETTER(bool, Tape3D, m_tape3D, "Tape3D")
GLIMMER_FRAME_SETTER(const QString&, Caption, m_caption, "Caption")
GLIMMER_FRAME_SETTER(quint32, ForeColor, m_foreColor, "ForeColor")
GLIMMER_FRAME_SETTER(quint32, BackColor, m_backColor, "BackColor")
GLIMMER_FRAME_SETTER(quint32, InBackColor, m_inBackColor, "InBackColor")
GLIMMER_FRAME_SETTER(tf_HAlign, HAlign, m_hAlign, "HAlign")
GLIMMER_FRAME_SETTER(tf_VAlign, VAlign, m_vAlign, "VAlign")
GLIMMER_FRAME_SETTER(tf_BackStyle, BackStyle, m_backStyle, "BackStyle")

#undef GLIMMER_FRAME_SETTER

void t1Frame::InitProperties(const QString& name) {
    m_bottomColor = Defaults::bottom;
    m_topColor = Defaults::top;
    m_hasTape = true;
    m_tapeHeight = Defaults::tapeHeight;
    m_tape3D = true;
    m_caption = name;
    m_quiet = true;
    setFont(parentWidget() ? parentWidget()->font() : QApplication::font());
    m_quiet = false;
    m_foreColor = Defaults::fore;
    m_backColor = Defaults::back;
    m_inBackColor = Defaults::inBack;
    m_hAlign = tf_Center;
    m_vAlign = tf_Middle;
    m_backStyle = Opaque;
    Refresh();
}

void t1Frame::ReadProperties(const PropertyBag& bag) {
    const BagValues b(bag);
    const QFont hostFont = parentWidget() ? parentWidget()->font() : QApplication::font();
    const quint32 bottom = b.readColor(kBottomColor, Defaults::bottom);
    const quint32 top = b.readColor(kTopColor, Defaults::top);
    const bool hasTape = b.readBool(kHasTape, true);
    const int tapeHeight = b.readInt(kTapeHeight, Defaults::tapeHeight);
    const bool tape3D = b.readBool(kTape3D, true);
    const QString caption = b.readString(kCaption, QStringLiteral("Hello"));
    const QFont f = b.readFont(kFont, hostFont);
    const quint32 fore = b.readColor(kForeColor, Defaults::fore);
    const quint32 back = b.readColor(kBackColor, Defaults::back);
    const quint32 inBack = b.readColor(kInBackColor, Defaults::inBack);
    const int hAlign = inRange(kHAlign, b.readInt(kHAlign, Defaults::hAlign), tf_Left, tf_Right);
    const int vAlign = inRange(kVAlign, b.readInt(kVAlign, Defaults::vAlign), tf_Top, tf_Bottom);
    const int backStyle =
        inRange(kBackStyle, b.readInt(kBackStyle, Defaults::backStyle), Transparent, Opaque);

    m_bottomColor = bottom;
    m_topColor = top;
    m_hasTape = hasTape;
    m_tapeHeight = tapeHeight;
    m_tape3D = tape3D;
    m_caption = caption;
    m_quiet = true;
    setFont(f);
    m_quiet = false;
    m_foreColor = fore;
    m_backColor = back;
    m_inBackColor = inBack;
    m_hAlign = tf_HAlign(hAlign);
    m_vAlign = tf_VAlign(vAlign);
    m_backStyle = tf_BackStyle(backStyle);
    Refresh();
}

void t1Frame::WriteProperties(PropertyBag& bag) const {
    const QFont hostFont = parentWidget() ? parentWidget()->font() : QApplication::font();
    bag.WriteProperty(kBottomColor, m_bottomColor, Defaults::bottom);
    bag.WriteProperty(kTopColor, m_topColor, Defaults::top);
    bag.WriteProperty(kHasTape, m_hasTape, true);
    bag.WriteProperty(kTapeHeight, m_tapeHeight, Defaults::tapeHeight);
    bag.WriteProperty(kTape3D, m_tape3D, true);
    bag.WriteProperty(kCaption, m_caption, QStringLiteral("Hello"));
    bag.WriteProperty(kFont, font(), hostFont);
    bag.WriteProperty(kForeColor, m_foreColor, Defaults::fore);
    bag.WriteProperty(kBackColor, m_backColor, Defaults::back);
    bag.WriteProperty(kInBackColor, m_inBackColor, Defaults::inBack);
    bag.WriteProperty(kHAlign, int(m_hAlign), Defaults::hAlign);
    bag.WriteProperty(kVAlign, int(m_vAlign), Defaults::vAlign);
    bag.WriteProperty(kBackStyle, int(m_backStyle), Defaults::backStyle);
}

} // namespace glimmer
