#include "OnRatios.h"
#include "OnTimeRatio.h"
#include "TempConfig.h"

using namespace notaro;
using notaro::testing::TempConfig;

namespace {

class OnRatiosTest : public TempConfig {
protected:
    void SetUp() override {
        TempConfig::SetUp();
        defaultOnRatios(onRatioNormal, onRatioStaccato);
    }
    void TearDown() override {
        defaultOnRatios(onRatioNormal, onRatioStaccato);
        TempConfig::TearDown();
    }
    std::string ini() const { return path("notaro/para.ini"); }
};

const OnRatioTable kNormal = {0.95f, 0.92f, 0.90f, 0.95f, 0.95f, 0.92f, 0.88f, 0.80f, 0.80f};
const OnRatioTable kStaccato = {0.35f, 0.35f, 0.35f, 0.45f, 0.67f, 0.67f, 0.67f, 0.67f, 0.67f};

} // namespace

TEST_F(OnRatiosTest, SettingsFileLivesInTheConfigFolder) {
    EXPECT_EQ(paraIniPath(), dir_.string() + "/notaro/para.ini");
}

TEST_F(OnRatiosTest, TablesStartAtTheDefaultsAndLoadDefaultsWithoutAFile) {
    EXPECT_EQ(onRatioNormal, kNormal);
    onRatioNormal.fill(0.5f);
    EXPECT_TRUE(loadOnRatios());
    EXPECT_EQ(onRatioNormal, kNormal);
    EXPECT_EQ(onRatioStaccato, kStaccato);
}

TEST_F(OnRatiosTest, HandWrittenFileWithOddCaseBlanksAndOtherSections) {
    writeFile(ini(), "; my settings\r\n[Window]\r\nLeft=10\r\n\r\n[onratios]\r\n"
                     "  NORMAL =  1,1 ,1, 1,1,1,1,1,  1  \r\n; staccato left out\r\n");
    EXPECT_TRUE(loadOnRatios());
    EXPECT_EQ(onRatioNormal, (OnRatioTable{1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(onRatioStaccato, kStaccato);

    onRatioStaccato[3] = 0.5f;
    EXPECT_TRUE(saveOnRatios());
    EXPECT_EQ(readFile(ini()), "; my settings\r\n[Window]\r\nLeft=10\r\n\r\n[onratios]\r\n"
                               "Normal=1, 1, 1, 1, 1, 1, 1, 1, 1\r\n"
                               "Staccato=0.35, 0.35, 0.35, 0.5, 0.67, 0.67, 0.67, 0.67, 0.67\r\n"
                               "; staccato left out\r\n");
}

TEST_F(OnRatiosTest, ShortValueStopsTheLoadAfterItsLastNumber) {
    writeFile(ini(), "[OnRatios]\r\nNormal=0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5\r\nStaccato=0.2,0.2,0.2,"
                     "0.2,0.2,0.2,0.2,0.2,0.2\r\n");
    onRatioNormal[8] = 0.123f;
    EXPECT_FALSE(loadOnRatios());
    EXPECT_EQ(onRatioNormal,
              (OnRatioTable{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.123f}));
    EXPECT_EQ(onRatioStaccato, kStaccato); // not read at all
}

TEST_F(OnRatiosTest, MalformedValueNeverLeavesASilentNote) {
    writeFile(ini(), "[OnRatios]\r\nNormal=0.6, oops, 0.6\r\n");
    EXPECT_FALSE(loadOnRatios());
    EXPECT_FLOAT_EQ(onRatioNormal[0], 0.6f);
    for (size_t i = 1; i < 9; ++i)
        EXPECT_EQ(onRatioNormal[i], kNormal[i]) << i;
}

TEST_F(OnRatiosTest, SavedDefaultsUseShortestTexts) {
    EXPECT_TRUE(saveOnRatios());
    EXPECT_EQ(readFile(ini()),
              "[OnRatios]\r\nNormal=0.95, 0.92, 0.9, 0.95, 0.95, 0.92, 0.88, 0.8, 0.8\r\n"
              "Staccato=0.35, 0.35, 0.35, 0.45, 0.67, 0.67, 0.67, 0.67, 0.67\r\n");
    onRatioNormal.fill(0);
    EXPECT_TRUE(loadOnRatios());
    EXPECT_EQ(onRatioNormal, kNormal);
}

TEST_F(OnRatiosTest, SaveFailsWhenTheFolderCannotBeMade) {
    writeFile(path("notaro"), "a file where the folder should be");
    EXPECT_FALSE(saveOnRatios());
}

TEST(OnRatioText, ShortestRoundTrip) {
    for (float v : {0.1f, 0.95f, 1.0f, 0.333333343f, 0.7f, 0.123456789f}) {
        const std::string s = shortestFloatText(v);
        EXPECT_EQ(std::stof(s), v) << s;
        EXPECT_EQ(s.find('e'), std::string::npos) << s;
    }
    EXPECT_EQ(shortestFloatText(0.9f), "0.9");
    EXPECT_EQ(shortestFloatText(1.0f), "1");
}

struct RatioCase {
    int32_t n, d;
    uint8_t staccato;
    float expected;
};

class OnTimeRatioTest : public ::testing::TestWithParam<RatioCase> {};

void PrintTo(const RatioCase& c, std::ostream* os) {
    *os << c.n << "/" << c.d << " s" << int(c.staccato);
}

TEST_P(OnTimeRatioTest, InterpolatesBetweenNoteValues) {
    defaultOnRatios(onRatioNormal, onRatioStaccato);
    const RatioCase& c = GetParam();
    EXPECT_FLOAT_EQ(onTimeRatio(cDuration(c.n, c.d), c.staccato), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OnTimeRatioTest,
    ::testing::Values(RatioCase{1, 4, 0, 0.95f}, RatioCase{1, 2, 0, 0.90f},
                      RatioCase{2, 1, 0, 0.95f}, RatioCase{1, 128, 0, 0.80f},
                      RatioCase{1, 4, 1, 0.45f}, RatioCase{1, 4, 2, 0.45f},
                      // A dotted quarter lies two thirds of the way from the quarter to the half.
                      RatioCase{3, 8, 0, 2.0f / 3.0f * 0.90f + 1.0f / 3.0f * 0.95f},
                      RatioCase{1, 12, 0, (0.95f + 0.92f) / 2},
                      RatioCase{3, 1, 0, 0.95f},   // longer than a double whole note
                      RatioCase{1, 256, 1, 0.67f}, // shorter than a 128th
                      RatioCase{0, 1, 0, 0.875f}, RatioCase{0, 1, 1, 0.5f}));
