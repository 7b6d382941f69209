// The on-time ratio lookup over the settings tables, with tables whose entries are their own
// indices, so that every expected ratio shows where between the table points it lies.
#include "OnRatios.h"
#include "OnTimeRatio.h"

#include <gtest/gtest.h>

using namespace notaro;

TEST(OnTimeRatio, InterpolatesInTheReciprocalBetweenNoteValues) {
    for (size_t i = 0; i < onRatioNormal.size(); ++i) {
        onRatioNormal[i] = static_cast<float>(i);
        onRatioStaccato[i] = 10.0f + static_cast<float>(i);
    }
    const struct {
        int32_t n, d;
        uint8_t staccato;
        float expected;
    } cases[] = {{1, 4, 0, 3},
                 {2, 1, 0, 0},
                 {1, 128, 0, 8},
                 {1, 4, 1, 13},
                 {1, 4, 2, 13},
                 {2, 8, 0, 3},
                 {3, 8, 0, 2 + 1.0f / 3}, // 8/3 lies a third of
                                          // the way from 2 to 4
                 {1, 12, 0, 4.5f},
                 {3, 1, 0, 0},    // longer than a double whole note
                 {1, 256, 1, 18}, // shorter than a 128th
                 {0, 1, 0, 0.875f},
                 {0, 1, 1, 0.5f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(onTimeRatio(cDuration(c.n, c.d), c.staccato), c.expected)
            << c.n << "/" << c.d << " staccato " << int(c.staccato);
    defaultOnRatios(onRatioNormal, onRatioStaccato);
}
