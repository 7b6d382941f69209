#include "TempConfig.h"
#include "cInifile.h"

#include <sys/stat.h>

using namespace notaro;
using notaro::testing::TempConfig;

namespace {

class cInifileTest : public TempConfig {
protected:
    cInifile at(const std::string& section, const std::string& key) {
        cInifile ini;
        ini.setPath(path("a.ini"));
        ini.setSection(section);
        ini.setKey(key);
        return ini;
    }
};

} // namespace

TEST_F(cInifileTest, MissingFileOrKeyGivesTheDefault) {
    cInifile ini = at("S", "k");
    EXPECT_EQ(ini.Value(), "");
    ini.setDefault("fallback");
    EXPECT_EQ(ini.Value(), "fallback");
    EXPECT_EQ(ini.LongValue(42), 42);
    EXPECT_FALSE(std::filesystem::exists(path("a.ini")));
}

TEST_F(cInifileTest, NamesMatchWithoutRegardToCase) {
    writeFile(path("a.ini"), "; settings\r\n[OnRatios]\r\n  normal = 1, 2 \r\nquoted=\"x y\"\r\n");
    EXPECT_EQ(at("onratios", "NORMAL").Value(), "1, 2");
    EXPECT_EQ(at(" ONRATIOS ", "Quoted").Value(), "x y");
    EXPECT_EQ(at("OnRatios", "; settings").Value(), "");
}

TEST_F(cInifileTest, WriteCreatesSectionAndKeyAndKeepsOtherLines) {
    const std::string original =
        "; top comment\r\n[Other]\r\na=1\r\n\r\n[OnRatios]\r\n; keep me\r\n"
        "Normal=1\r\n\r\n[Last]\r\nz=9\r\n";
    writeFile(path("a.ini"), original);
    cInifile ini = at("onratios", "Staccato");
    ini.setValue("0.5");
    EXPECT_TRUE(ini.Success());
    ini = at("ONRATIOS", "normal");
    ini.setValue("2");
    ini = at("New", "k");
    ini.setValue("v");
    EXPECT_EQ(readFile(path("a.ini")),
              "; top comment\r\n[Other]\r\na=1\r\n\r\n[OnRatios]\r\n; keep me\r\n"
              "normal=2\r\nStaccato=0.5\r\n\r\n[Last]\r\nz=9\r\n[New]\r\nk=v\r\n");
}

TEST_F(cInifileTest, UnixLineEndsStayUnix) {
    writeFile(path("a.ini"), "[S]\na=1\n");
    cInifile ini = at("S", "b");
    ini.setValue("2");
    EXPECT_EQ(readFile(path("a.ini")), "[S]\na=1\nb=2\n");
}

TEST_F(cInifileTest, NulCharactersAreRemovedOnWrite) {
    cInifile ini = at("S", "k");
    ini.setValue(std::string("a\0b\0c", 5));
    EXPECT_EQ(ini.Value(), "abc");
}

TEST_F(cInifileTest, LongValuesReadBackCutTo254) {
    cInifile ini = at("S", "k");
    ini.setValue(std::string(300, 'x'));
    EXPECT_EQ(ini.Value(), std::string(254, 'x'));
}

TEST_F(cInifileTest, DeleteKeyAndSection) {
    writeFile(path("a.ini"), "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
    cInifile ini = at("a", "X");
    ini.DeleteKey();
    EXPECT_TRUE(ini.Success());
    EXPECT_EQ(readFile(path("a.ini")), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n");
    ini.DeleteSection();
    EXPECT_EQ(readFile(path("a.ini")), "[B]\r\nz=3\r\n");
    cInifile b = at("B", "");
    b.setINISection("");
    EXPECT_EQ(readFile(path("a.ini")), "");
}

TEST_F(cInifileTest, SectionAndKeyListings) {
    writeFile(path("a.ini"), "[A]\r\nx=1\r\n; c\r\ny=2\r\n[B]\r\n[C]\r\nz=3\r\n");
    cInifile ini = at("A", "");
    EXPECT_EQ(ini.INISection(), std::string("x\0y\0", 4));
    EXPECT_EQ(ini.Sections(), std::string("A\0B\0C\0", 6));
    std::vector<std::string> names;
    int32_t count = -1;
    ini.EnumerateCurrentSection(names, count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(names, (std::vector<std::string>{"x", "y"}));
    ini.EnumerateAllSections(names, count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C"}));
    cInifile missing = at("Nope", "");
    missing.setDefault("dflt");
    EXPECT_EQ(missing.INISection(), "dflt");
}

TEST_F(cInifileTest, LongValueReadsLeadingDigits) {
    writeFile(path("a.ini"), "[S]\r\na=12\r\nb= -7x\r\nc=abc\r\nd=99999999999\r\n");
    EXPECT_EQ(at("S", "a").LongValue(0), 12);
    EXPECT_EQ(at("S", "b").LongValue(0), -7);
    EXPECT_EQ(at("S", "c").LongValue(5), 0);
    EXPECT_EQ(at("S", "d").LongValue(0), INT32_MAX);
}

TEST(cInifile, CLngDefault) {
    EXPECT_EQ(cInifile::CLngDefault("12"), 12);
    EXPECT_EQ(cInifile::CLngDefault("abc", 7), 7);
    EXPECT_EQ(cInifile::CLngDefault(" -3 "), -3);
    EXPECT_EQ(cInifile::CLngDefault("2.5"), 2);
    EXPECT_EQ(cInifile::CLngDefault("3.5"), 4);
    EXPECT_EQ(cInifile::CLngDefault("1e3"), 1000);
    EXPECT_EQ(cInifile::CLngDefault("3000000000", -1), -1);
    EXPECT_EQ(cInifile::CLngDefault("", 9), 9);
}

TEST_F(cInifileTest, FailedWriteLeavesTheOldFileAndReportsFailure) {
    writeFile(path("ro/a.ini"), "[S]\r\nk=old\r\n");
    // A folder we cannot write to: the temporary file cannot be made there.
    ::chmod(path("ro").c_str(), 0500);
    cInifile ini;
    ini.setPath(path("ro/a.ini"));
    ini.setSection("S");
    ini.setKey("k");
    ini.setValue("new");
    const bool asRoot = ::geteuid() == 0; // root may write anywhere
    if (!asRoot) {
        EXPECT_FALSE(ini.Success());
        EXPECT_EQ(readFile(path("ro/a.ini")), "[S]\r\nk=old\r\n");
    }
    ::chmod(path("ro").c_str(), 0700);
    // A path whose folder is a file can never be written, even by root.
    writeFile(path("plain"), "x");
    cInifile bad;
    bad.setPath(path("plain/a.ini"));
    bad.setSection("S");
    bad.setKey("k");
    bad.setValue("v");
    EXPECT_FALSE(bad.Success());
    EXPECT_EQ(bad.LastReturnCode(), 0);
}
