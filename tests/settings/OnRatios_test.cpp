#include "settings/OnRatios.h"
#include "tests/settings/TempConfig.h"

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
    EXPECT_TRUE(loadOnRatios(ratios).empty());
    EXPECT_EQ(ratios.normal, defaults_.normal);
    EXPECT_EQ(ratios.staccato, defaults_.staccato);
}

TEST_F(OnRatiosTest, SaveKeepsOtherLinesAndReadsBack) {
    writeFile(ini(), "; my settings\r\n[Window]\r\nLeft=10\r\n\r\n[onratios]\r\n"
                     "  NORMAL =  1,1 ,1, 1,1,1,1,1,  1  \r\n; staccato left out\r\n");
    OnTimeRatios ratios;
    EXPECT_TRUE(loadOnRatios(ratios).empty());
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
    EXPECT_TRUE(loadOnRatios(ratios).empty());
    EXPECT_EQ(ratios.staccato, saved);
    // The defaults are written in their shortest texts.
    EXPECT_TRUE(saveOnRatios(defaults_));
    EXPECT_NE(readFile(ini()).find("Normal=0.95, 0.92, 0.9, 0.95, 0.95, 0.92, 0.88, 0.8, 0.8\r\n"),
              std::string::npos);
    std::filesystem::remove_all(path("notaro"));
    writeFile(path("notaro"), "a file where the folder should be");
    EXPECT_FALSE(saveOnRatios(defaults_));
}

TEST_F(OnRatiosTest, RefusedTableGetsItsDefaultsWithOneLineNamingFileKeyAndValue) {
    // Each bad Normal value is refused whole; the good Staccato beside it is still taken.
    for (const char* normal :
         {"0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5", "0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,oops",
          "0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0", "-1,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5",
          "0.5,0.5,0.5,0.5,5,0.5,0.5,0.5,0.5", "1e38,1,1,1,1,1,1,1,1", "0.099,1,1,1,1,1,1,1,1",
          "1,1,1,1,1,1,1,1,1.001", "1,1,1,1,1,1,1,1,1,1", ""}) {
        writeFile(ini(), std::string("[OnRatios]\r\nNormal=") + normal +
                             "\r\nStaccato=0.1,1,1,1,1,1,1,1,1\r\n");
        OnTimeRatios ratios;
        ratios.normal.fill(0.5f);
        const std::vector<std::string> problems = loadOnRatios(ratios);
        ASSERT_EQ(problems.size(), 1u) << normal;
        EXPECT_EQ(problems[0], ini() + ": [OnRatios] Normal=" + normal +
                                   " is refused (nine on-time ratios from 0.1 to 1.0 expected); "
                                   "the default Normal table is used.");
        EXPECT_EQ(ratios.normal, defaults_.normal) << normal;
        EXPECT_EQ(ratios.staccato, (OnRatioTable{0.1f, 1, 1, 1, 1, 1, 1, 1, 1})) << normal;
    }
}
