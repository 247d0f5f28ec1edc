#include "systest/ui/language_choice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// The current directory of the fakes, where a download lands.
const std::u16string kCurrent = u"D:\\Downloads\\";

class FakeFileSystem final : public LanguageFileSystem {
  public:
    bool IsFile(const std::u16string& path) const override { return files.count(path) > 0; }
    std::u16string FullPath(const std::u16string& name) const override { return kCurrent + name; }
    bool LoadLanguageLibrary(const std::u16string& path) override {
        attempts.push_back(path);
        return broken.count(path) == 0;
    }

    std::set<std::u16string> files;
    std::set<std::u16string> broken;  // exist but do not load
    std::vector<std::u16string> attempts;
};

const std::u16string kProgram = u"C:\\Tools\\Quarvel\\QuarvelSysTest.exe";

TEST(ChooseLanguage, PicksTheLibraryAndTextOfTheUserLanguage) {
    FakeFileSystem system;
    system.files = {u"C:\\Tools\\Quarvel\\Lang_de.Dll", kCurrent + u"Lang_En.Dll"};
    const LanguageChoice choice = ChooseLanguage(kProgram, {u"de", u"AT"}, system);
    EXPECT_TRUE(choice.loaded);
    EXPECT_EQ(choice.agreementPath, u"C:\\Tools\\Quarvel\\Lic_de.Txt");
    EXPECT_EQ(system.attempts, std::vector<std::u16string>{u"C:\\Tools\\Quarvel\\Lang_de.Dll"});
}

// Both Chinese locales name the language "zh"; the region tells the script.
TEST(ChooseLanguage, ChineseTakesTheLibraryOfTheRegionsScriptFirst) {
    const std::u16string hant = u"C:\\Tools\\Quarvel\\Lang_zh-Hant.Dll";
    const std::u16string hans = u"C:\\Tools\\Quarvel\\Lang_zh-Hans.Dll";
    const std::u16string zh = u"C:\\Tools\\Quarvel\\Lang_zh.Dll";
    const std::u16string english = u"C:\\Tools\\Quarvel\\Lang_En.Dll";
    const struct {
        std::u16string region;
        std::set<std::u16string> files;
        std::set<std::u16string> broken;
        std::u16string agreement;
    } cases[] = {
        {u"TW", {hant, hans, english}, {}, u"Lic_zh-Hant.Txt"},
        {u"HK", {hant, hans, english}, {}, u"Lic_zh-Hant.Txt"},
        {u"MO", {hant, hans, english}, {}, u"Lic_zh-Hant.Txt"},
        {u"CN", {hant, hans, english}, {}, u"Lic_zh-Hans.Txt"},
        {u"SG", {hant, hans, english}, {}, u"Lic_zh-Hans.Txt"},
        {u"", {hant, hans, english}, {}, u"Lic_zh-Hans.Txt"},
        // Without the script's library the two-letter one and English follow.
        {u"TW", {zh, hans, english}, {}, u"Lic_zh.Txt"},
        {u"TW", {hant, zh, english}, {hant}, u"Lic_zh.Txt"},
        {u"TW", {hans, english}, {}, u"Lic_En.Txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.region) + " " + testing::PrintToString(c.agreement));
        FakeFileSystem system;
        system.files = c.files;
        system.broken = c.broken;
        const LanguageChoice choice = ChooseLanguage(kProgram, {u"zh", c.region}, system);
        EXPECT_TRUE(choice.loaded);
        EXPECT_EQ(choice.agreementPath, u"C:\\Tools\\Quarvel\\" + c.agreement);
    }
    FakeFileSystem none;
    EXPECT_EQ(ChooseLanguage(kProgram, {u"zh", u"TW"}, none).failure,
              u"Can't initialize language Dll / " + hant);
}

// The current directory's library is loaded by its full path there, the file
// the existence test found: a bare name would be looked for in the library
// search path instead.
TEST(ChooseLanguage, FallsBackToEnglishBesideTheProgramThenInTheCurrentDirectory) {
    const std::u16string beside = u"C:\\Tools\\Quarvel\\Lang_En.Dll";
    const std::u16string current = kCurrent + u"Lang_En.Dll";
    const struct {
        const char* name;
        std::u16string code;
        std::set<std::u16string> files;
        std::set<std::u16string> broken;
        std::u16string library;
        std::u16string agreement;
    } cases[] = {
        {"no library of the language",
         u"fr",
         {beside, current},
         {},
         beside,
         u"C:\\Tools\\Quarvel\\Lic_En.Txt"},
        {"unknown language code", u"", {beside}, {}, beside, u"C:\\Tools\\Quarvel\\Lic_En.Txt"},
        {"library that cannot be loaded",
         u"de",
         {u"C:\\Tools\\Quarvel\\Lang_de.Dll", beside},
         {u"C:\\Tools\\Quarvel\\Lang_de.Dll"},
         beside,
         u"C:\\Tools\\Quarvel\\Lic_En.Txt"},
        {"none beside the program", u"fr", {current}, {}, current, kCurrent + u"Lic_En.Txt"},
        {"the one beside the program does not load",
         u"fr",
         {beside, current},
         {beside},
         current,
         kCurrent + u"Lic_En.Txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem system;
        system.files = c.files;
        system.broken = c.broken;
        const LanguageChoice choice = ChooseLanguage(kProgram, {c.code, u""}, system);
        EXPECT_TRUE(choice.loaded);
        EXPECT_EQ(choice.agreementPath, c.agreement);
        EXPECT_EQ(system.attempts.back(), c.library);
    }
}

TEST(ChooseLanguage, FailsNamingWhatIsMissing) {
    const struct {
        const char* name;
        std::u16string programPath;
        std::set<std::u16string> files;
        std::set<std::u16string> broken;
        std::u16string failure;
    } cases[] = {
        {"no library at all",
         kProgram,
         {},
         {},
         u"Can't initialize language Dll / C:\\Tools\\Quarvel\\Lang_fr.Dll"},
        {"fallback that cannot be loaded",
         kProgram,
         {kCurrent + u"Lang_En.Dll"},
         {kCurrent + u"Lang_En.Dll"},
         u"Can't initialize language Dll / C:\\Tools\\Quarvel\\Lang_fr.Dll"},
        {"no backslash",
         u"QuarvelSysTest.exe",
         {u"Lang_En.Dll"},
         {},
         u"Can't initialize language directory / QuarvelSysTest.exe"},
        {"only a leading backslash",
         u"\\QuarvelSysTest.exe",
         {u"Lang_En.Dll"},
         {},
         u"Can't initialize language directory / \\QuarvelSysTest.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem system;
        system.files = c.files;
        system.broken = c.broken;
        const LanguageChoice choice = ChooseLanguage(c.programPath, {u"fr", u"FR"}, system);
        EXPECT_FALSE(choice.loaded);
        EXPECT_EQ(choice.failure, c.failure);
    }
}

TEST(ChooseLanguage, DirectoryAtTheRootKeepsItsBackslash) {
    FakeFileSystem system;
    system.files = {u"C:\\Lang_en.Dll"};
    const LanguageChoice choice = ChooseLanguage(u"C:\\QuarvelSysTest.exe", {u"en", u"US"}, system);
    EXPECT_TRUE(choice.loaded);
    EXPECT_EQ(choice.agreementPath, u"C:\\Lic_en.Txt");
}

}  // namespace
