// What Qt Svg draws of the engraver's pages, symbol kind by symbol kind.
#include "app/staff/StaffPageImage.h"
#include "interchange/AbcEngraver.h"
#include "tests/app/AppTestSupport.h"

using namespace notaro;

namespace {

/// Dark pixels of the first page of a one-line tune, drawn three times its size.
int64_t ink(const std::string& body) {
    interchange::AbcTune tune;
    // Lines as wide as the page, so that a symbol moves the others as little as can be.
    tune.text = "%%stretchlast 1\nX:1\nM:none\nL:1/8\nK:C\n" + body + "\n";
    const interchange::StaffEngraving e = interchange::engraveAbc(tune, {});
    if (e.pages.empty())
        return -1;
    const QImage image = app::staffPageImage(e.pages.front(), 3);
    int64_t dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

struct Kind {
    const char* name;
    const char* with;
    const char* without;
};

TEST(StaffPageImage, EverySymbolKindIsDrawn) {
    app::test::testApp();
    const Kind kinds[] = {
        {"note head and stem", "C2 D2 E2", "C2 D2 z2"},
        {"rest", "C2 z2", "C2 x2"},
        {"bar line", "C2 D2 | E2 F2", "C2 D2 E2 F2"},
        {"sharp", "^C2 D2", "C2 D2"},
        {"flat", "_D2 D2", "D2 D2"},
        {"natural", "=C2 D2", "C2 D2"},
        {"quarter-tone sharp", "^/C2 D2", "C2 D2"},
        {"quarter-tone flat", "_/D2 D2", "D2 D2"},
        {"tie", "C2- C2", "C2 C2"},
        {"slur", "(C2 E2)", "C2 E2"},
        {"staccato", ".C2 D2", "C2 D2"},
        {"tuplet", "(3:2:3CDE", "CDE"},
        {"text above", "\"^Flute\"C2", "C2"},
        {"tempo", "[Q:1/4=90] C2", "C2"},
    };
    for (const Kind& k : kinds)
        EXPECT_GT(ink(k.with), ink(k.without) + 10) << k.name;
}

} // namespace
