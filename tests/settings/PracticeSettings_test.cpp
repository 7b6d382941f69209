#include "settings/OnRatios.h"
#include "settings/PracticeSettings.h"
#include "tests/settings/TempConfig.h"

using namespace notaro;
using notaro::testing::TempConfig;

namespace {

using PracticeSettingsTest = TempConfig;

TEST_F(PracticeSettingsTest, SavedSettingsReadBackAndOtherSectionsStay) {
    writeFile(paraIniPath(), "[OnRatios]\r\nNormal=1, 1, 1, 1, 1, 1, 1, 1, 1\r\n");
    PracticeSettings read;
    read.tempoPercent = 50;
    EXPECT_TRUE(loadPracticeSettings(read).empty());
    EXPECT_EQ(read, PracticeSettings()) << "a missing key takes its default";
    const PracticeSettings saved{true, 25, 2, true, 16, true, 200, 100, 200};
    ASSERT_TRUE(savePracticeSettings(saved));
    EXPECT_TRUE(loadPracticeSettings(read).empty());
    EXPECT_EQ(read, saved);
    OnTimeRatios ratios;
    EXPECT_TRUE(loadOnRatios(ratios).empty());
    EXPECT_EQ(ratios.normal[0], 1.0f);
}

TEST_F(PracticeSettingsTest, ARefusedValueTakesItsDefaultWithOneLineAndTheOthersStay) {
    const std::string file = paraIniPath();
    // The section's lines, the values read, and the lines about the refused values.
    const std::tuple<std::string, PracticeSettings, std::vector<std::string>> cases[] = {
        {"Loop=yes\r\nTempoPercent= 80 \r\n",
         {false, 80, 0, false, 4, false, 70, 5, 100},
         {file + ": [Practice] Loop=yes is refused (0 or 1 expected); 0 is used."}},
        {"TempoPercent=201\r\nCountInBars=3\r\nClick=1\r\nBeatsPerBar=0\r\n",
         {false, 100, 0, true, 4, false, 70, 5, 100},
         {file + ": [Practice] TempoPercent=201 is refused (a whole number from 25 to 200 "
                 "expected); 100 is used.",
          file + ": [Practice] CountInBars=3 is refused (a whole number from 0 to 2 expected); "
                 "0 is used.",
          file + ": [Practice] BeatsPerBar=0 is refused (a whole number from 1 to 16 expected); "
                 "4 is used."}},
        {"RampStartPercent=150\r\nRampStepPercent=2.5\r\nRampCeilingPercent=120\r\n",
         {false, 100, 0, false, 4, false, 150, 5, 150},
         {file + ": [Practice] RampStepPercent=2.5 is refused (a whole number from 1 to 100 "
                 "expected); 5 is used.",
          file + ": [Practice] RampCeilingPercent=120 is refused (a whole number from 150 to "
                 "200 expected); 150 is used."}},
        {"Ramp=1\r\nRampStartPercent=x\r\nRampCeilingPercent=90\r\n",
         {false, 100, 0, false, 4, true, 70, 5, 90},
         {file + ": [Practice] RampStartPercent=x is refused (a whole number from 25 to 200 "
                 "expected); 70 is used."}}};
    for (const auto& [lines, expected, problems] : cases) {
        SCOPED_TRACE(lines);
        writeFile(file, "[Practice]\r\n" + lines);
        PracticeSettings read;
        EXPECT_EQ(loadPracticeSettings(read), problems);
        EXPECT_EQ(read, expected);
    }
}

} // namespace
