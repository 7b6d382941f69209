#include "score/MetaComment.h"

#include <gtest/gtest.h>

using namespace notaro;

TEST(MetaComment, AcceptsTypesOneToSeven) {
    struct Case {
        const char* line;
        bool ok;
        int32_t type;
        const char* text;
    } cases[] = {{"!!$5, la la", true, 5, "la la"}, {"!!$ 3 ,My tune", true, 3, "My tune"},
                 {"\t!!$1,\tx ", true, 1, "x"},     {"!!$7,", true, 7, ""},
                 {"!!$8, x", false, 0, ""},         {"!!$, x", false, 0, ""},
                 {"!!$x, y", false, 0, ""},         {"! $5, x", false, 0, ""},
                 {"!!$5 x", false, 0, ""},          {"!!$2.5, x", true, 2, "x"}}; // half to even
    for (const Case& c : cases) {
        int32_t type = 0;
        std::string text;
        EXPECT_EQ(parseMetaComment(c.line, type, text), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(std::to_string(type) + text, std::to_string(c.type) + c.text) << c.line;
        }
    }
}
