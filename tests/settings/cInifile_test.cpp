#include "settings/cInifile.h"
#include "tests/settings/TempConfig.h"

using namespace notaro;
using notaro::testing::TempConfig;

// The profile functions' numbers, which callers rely on.
static_assert(code(IniResult::Failed) == 0 && code(IniResult::Done) == 1);

namespace {

class cInifileTest : public TempConfig {
protected:
    cInifile at(const std::string& section, const std::string& key, const char* file = "a.ini") {
        cInifile ini;
        ini.setPath(path(file));
        ini.setSection(section);
        ini.setKey(key);
        return ini;
    }
};

} // namespace

TEST_F(cInifileTest, ReadsMatchNamesWithoutCaseAndStripOneKindOfQuotes) {
    cInifile missing = at("S", "k");
    missing.setDefault("fallback");
    EXPECT_EQ(missing.Value(), "fallback");
    EXPECT_EQ(missing.LongValue(42), 42);
    EXPECT_FALSE(std::filesystem::exists(path("a.ini")));
    writeFile(path("a.ini"), "; settings\r\n[OnRatios]\r\n  normal = 1, 2 \r\nq1=\"x y\"\r\n"
                             "q2='x y'\r\nq3='x\"\r\nq4='\r\n;c=3\r\nlong=" +
                                 std::string(300, 'x') + "\r\n");
    const std::tuple<const char*, const char*, const char*> reads[] = {
        {"onratios", "NORMAL", "1, 2"}, {" ONRATIOS ", "Q1", "x y"}, {"OnRatios", "q2", "x y"},
        {"OnRatios", "q3", "'x\""},     {"OnRatios", "q4", "'"},     {"OnRatios", "; settings", ""},
        {"OnRatios", ";c", ""}};
    for (const auto& [section, key, value] : reads)
        EXPECT_EQ(at(section, key).Value(), value) << key;
    EXPECT_EQ(at("OnRatios", "long").Value(), std::string(254, 'x'));
}

TEST_F(cInifileTest, WritesKeepOtherLinesAndTheirLineEndsOrReportFailure) {
    writeFile(path("a.ini"), "; top comment\r\n[Other]\r\na=1\r\n\r\n[OnRatios]\r\n; keep me\r\n"
                             "Normal=1\r\n\r\n[Last]\r\nz=9\r\n");
    cInifile ini = at("onratios", "Staccato");
    ini.setValue("0.5");
    EXPECT_EQ(ini.LastReturnCode(), IniResult::Done);
    at("ONRATIOS", "normal").setValue("2");
    at("New", "k").setValue(std::string("a\0b", 3));
    EXPECT_EQ(readFile(path("a.ini")),
              "; top comment\r\n[Other]\r\na=1\r\n\r\n[OnRatios]\r\n; keep me\r\n"
              "normal=2\r\nStaccato=0.5\r\n\r\n[Last]\r\nz=9\r\n[New]\r\nk=ab\r\n");
    writeFile(path("u.ini"), "[S]\na=1\n");
    at("S", "b", "u.ini").setValue("2");
    EXPECT_EQ(readFile(path("u.ini")), "[S]\na=1\nb=2\n");
    // A path whose folder is a file can never be written, even by root. (What a failed write
    // leaves behind is checked for every writer with the file-writing seam.)
    writeFile(path("plain"), "x");
    cInifile bad = at("S", "k", "plain/a.ini");
    bad.setValue("v");
    EXPECT_FALSE(bad.Success());
    EXPECT_EQ(bad.LastReturnCode(), IniResult::Failed);
}

TEST_F(cInifileTest, DeleteKeyAndSection) {
    writeFile(path("a.ini"), "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
    cInifile ini = at("a", "X");
    ini.DeleteKey();
    EXPECT_EQ(readFile(path("a.ini")), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n");
    cInifile none = at("a", "nothing");
    none.DeleteKey();
    EXPECT_EQ(none.LastReturnCode(), IniResult::Done); // removing what is not there succeeds
    ini.DeleteSection();
    EXPECT_EQ(readFile(path("a.ini")), "[B]\r\nz=3\r\n");
    at("B", "").setINISection("");
    EXPECT_EQ(readFile(path("a.ini")), "");
}

TEST_F(cInifileTest, SectionAndKeyListings) {
    writeFile(path("a.ini"), "[A]\r\nx=1\r\n; c\r\ny=2\r\n[B]\r\n[C]\r\nz=3\r\n");
    cInifile ini = at("A", "");
    EXPECT_EQ(ini.INISection() + "|" + ini.Sections(), std::string("x\0y\0|A\0B\0C\0", 11));
    std::vector<std::string> keys, sections;
    int32_t nKeys = -1, nSections = -1;
    ini.EnumerateCurrentSection(keys, nKeys);
    ini.EnumerateAllSections(sections, nSections);
    EXPECT_EQ(keys, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(sections, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(nKeys * 10 + nSections, 23);
    cInifile missing = at("Nope", "");
    missing.setDefault("dflt");
    EXPECT_EQ(missing.INISection(), "dflt");
}

TEST_F(cInifileTest, WholeNumbers) {
    writeFile(path("a.ini"), "[S]\r\na=12\r\nb= -7x\r\nc=abc\r\nd=99999999999\r\n");
    for (auto [key, value] : {std::pair{"a", 12}, {"b", -7}, {"c", 0}, {"d", INT32_MAX}})
        EXPECT_EQ(at("S", key).LongValue(5), value) << key;
    const std::pair<const char*, int32_t> texts[] = {
        {"12", 12}, {"abc", 7}, {" -3 ", -3},      {"+2.5", 2}, {"3.5", 4}, {"1e3", 1000},
        {"inf", 7}, {"2x", 7},  {"3000000000", 7}, {"", 7},     {"-.6", -1}};
    for (const auto& [text, value] : texts)
        EXPECT_EQ(cInifile::CLngDefault(text, 7), value) << text;
    EXPECT_EQ(cInifile::CLngDefault("x"), 0);
}
