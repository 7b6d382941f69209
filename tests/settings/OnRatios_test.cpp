#include "settings/OnRatios.h"
#include "tests/settings/TempConfig.h"

#include <algorithm>

using namespace notaro;
using notaro::testing::TempConfig;

namespace {

class OnRatiosTest : public TempConfig {
protected:
    std::string ini() const { return path("notaro/para.ini"); }
    const OnTimeRatios defaults_;
};

} // namespace

TEST_F(OnRatiosTest, MissingFileLoadsTheDefaultTextsWhichMatchTheDefaultTables) {
    EXPECT_EQ(paraIniPath(), dir_.string() + "/notaro/para.ini");
    // A relative settings folder is no folder at all: the one in the home folder is used.
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    ::setenv("HOME", dir_.c_str(), 1);
    EXPECT_EQ(paraIniPath(), dir_.string() + "/.config/notaro/para.ini");
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    OnTimeRatios ratios;
    ratios.normal.fill(0.5f);
    ratios.staccato.fill(0.5f);
    EXPECT_TRUE(loadOnRatios(ratios));
    EXPECT_EQ(ratios.normal, defaults_.normal);
    EXPECT_EQ(ratios.staccato, defaults_.staccato);
}

TEST_F(OnRatiosTest, SaveKeepsOtherLinesAndReadsBack) {
    writeFile(ini(), "; my settings\r\n[Window]\r\nLeft=10\r\n\r\n[onratios]\r\n"
                     "  NORMAL =  1,1 ,1, 1,1,1,1,1,  1  \r\n; staccato left out\r\n");
    OnTimeRatios ratios;
    EXPECT_TRUE(loadOnRatios(ratios));
    EXPECT_EQ(ratios.normal, (OnRatioTable{1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(ratios.staccato, defaults_.staccato);
    ratios.staccato = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.333333343f};
    const OnRatioTable saved = ratios.staccato;
    EXPECT_TRUE(saveOnRatios(ratios));
    EXPECT_EQ(readFile(ini()), "; my settings\r\n[Window]\r\nLeft=10\r\n\r\n[onratios]\r\n"
                               "Normal=1, 1, 1, 1, 1, 1, 1, 1, 1\r\n"
                               "Staccato=0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.33333334\r\n"
                               "; staccato left out\r\n");
    ratios.staccato.fill(0);
    EXPECT_TRUE(loadOnRatios(ratios));
    EXPECT_EQ(ratios.staccato, saved);
    // The defaults are written in their shortest texts.
    EXPECT_TRUE(saveOnRatios(defaults_));
    EXPECT_NE(readFile(ini()).find("Normal=0.95, 0.92, 0.9, 0.95, 0.95, 0.92, 0.88, 0.8, 0.8\r\n"),
              std::string::npos);
    std::filesystem::remove_all(path("notaro"));
    writeFile(path("notaro"), "a file where the folder should be");
    EXPECT_FALSE(saveOnRatios(defaults_));
}

TEST_F(OnRatiosTest, BadValueStopsTheLoadAndKeepsTheRest) {
    // A short value and a piece that is not a number: the entries before it are loaded, the
    // others keep their values, and the staccato key is not read at all.
    for (const char* normal : {"0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5", "0.5, 0.5, 0.5,0.5,0.5,0.5,0.5,"
                                                                  "0.5, oops"}) {
        writeFile(ini(), std::string("[OnRatios]\r\nNormal=") + normal + "\r\nStaccato=0.2\r\n");
        OnTimeRatios ratios;
        EXPECT_FALSE(loadOnRatios(ratios)) << normal;
        OnRatioTable expected = defaults_.normal;
        std::fill(expected.begin(), expected.end() - 1, 0.5f);
        EXPECT_EQ(ratios.normal, expected) << normal;
        EXPECT_EQ(ratios.staccato, defaults_.staccato) << normal;
    }
}
