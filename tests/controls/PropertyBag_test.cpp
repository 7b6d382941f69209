#include "controls/BagValues.h"

#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/PropertyError.h>
#include <glimmer/SettingsPropertyBag.h>

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace glimmer;

namespace {

TEST(MemoryPropertyBagTest, KeysMatchWithoutRegardToCaseAndDefaultsAreLeftOut) {
    MemoryPropertyBag bag;
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("X"), 42).toInt(), 42) << "absent: the default";
    bag.WriteProperty(QStringLiteral("BackColor"), 5);
    bag.WriteProperty(QStringLiteral("backcolor"), 7);
    EXPECT_EQ(bag.count(), 1);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("BACKCOLOR"), 0).toInt(), 7);
    bag.WriteProperty(QStringLiteral("HasTape"), false, true);
    EXPECT_TRUE(bag.contains(QStringLiteral("hastape")));
    bag.WriteProperty(QStringLiteral("HasTape"), true, true);
    EXPECT_FALSE(bag.contains(QStringLiteral("HasTape"))) << "a default value clears the entry";
}

TEST(SettingsPropertyBagTest, RoundTripsThroughIniFileWithoutRegardToCase) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bag.ini"));
    {
        QSettings s(path, QSettings::IniFormat);
        SettingsPropertyBag bag(s, QStringLiteral("cmdPlay"));
        bag.WriteProperty(QStringLiteral("TX"), QStringLiteral("Play"));
        bag.WriteProperty(QStringLiteral("BTYPE"), 3);
        bag.WriteProperty(QStringLiteral("tx"), QStringLiteral("Stop"));
        bag.WriteProperty(QStringLiteral("HasTape"), true, true);
    }
    QSettings s(path, QSettings::IniFormat);
    SettingsPropertyBag bag(s, QStringLiteral("cmdPlay"));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Tx"), QString()).toString(), QStringLiteral("Stop"));
    EXPECT_EQ(BagValues(bag).readInt(QStringLiteral("btype"), 2), 3);
    s.beginGroup(QStringLiteral("cmdPlay"));
    EXPECT_EQ(s.childKeys().size(), 2) << "one entry per key, none for a default value";
}

TEST(BagValuesTest, ReadsTextFormsOfIniFilesAndRaisesPropertyErrorNamingTheKey) {
    MemoryPropertyBag bag;
    bag.WriteProperty(QStringLiteral("b"), QStringLiteral("true"));
    bag.WriteProperty(QStringLiteral("n"), QStringLiteral("17"));
    bag.WriteProperty(QStringLiteral("c"), QStringLiteral("-2147483633"));
    const BagValues v(bag);
    EXPECT_TRUE(v.readBool(QStringLiteral("b"), false));
    EXPECT_EQ(v.readInt(QStringLiteral("n"), 0), 17);
    EXPECT_EQ(v.readColor(QStringLiteral("c"), 0), 0x8000000Fu);
    bag.WriteProperty(QStringLiteral("TapeHeight"), QStringLiteral("tall"));
    try {
        BagValues(bag).readInt(QStringLiteral("TapeHeight"), 17);
        FAIL() << "no error raised";
    } catch (const PropertyError& e) {
        EXPECT_EQ(e.key(), QStringLiteral("TapeHeight"));
    }
    bag.WriteProperty(QStringLiteral("PICN"), QByteArray("not an image"));
    EXPECT_THROW(BagValues(bag).readPicture(QStringLiteral("PICN")), PropertyError);
}

} // namespace
