// Every language library and the pseudo-language, and the agreement texts:
// every string the program loads is there, with the conversions its callers
// format it with, the accelerators of a dialog apart and the status words in
// one column; the agreement texts read back in the encodings they ship in.
#include "common/format.h"
#include "common/text.h"
#include "common/win/handles.h"
#include "common/win/resource_string.h"
#include "systest/engine/string_source.h"
#include "systest/engine/tests/wine/text_file_lines.h"
#include "systest/resources/string_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <set>
#include <string>
#include <vector>

namespace {

// Every shipped library, from the build's list, and the pseudo-language.
std::vector<std::wstring> Libraries(bool withPseudoLanguage) {
    std::vector<std::wstring> libraries;
    const std::wstring names = L"" QST_LANGUAGE_LIBRARIES;
    for (size_t start = 0; start < names.size();) {
        const size_t end = std::min(names.find(L',', start), names.size());
        libraries.push_back(names.substr(start, end - start));
        start = end + 1;
    }
    if (withPseudoLanguage) {
        libraries.push_back(L"Lang_Qps.Dll");
    }
    return libraries;
}

std::string Readable(const std::u16string& text) {
    return testing::PrintToString(Utf8FromUtf16(text));
}

// Every identifier with the conversions of its arguments, in order.
struct StringUse {
    int id;
    const char* conversions;
};

const StringUse kStrings[] = {
    {IDS_MAIN_DESCRIPTION, ""},
    {IDS_COLUMN_STATUS, ""},
    {IDS_COLUMN_CHECK, ""},
    {IDS_MAIN_CAPTION, "s"},
    {IDS_STATUS_FAILED, ""},
    {IDS_STATUS_WARNING, ""},
    {IDS_STATUS_PASSED, ""},
    {IDS_STATUS_NO_RESULT, ""},
    {IDS_OS_NOT_SUPPORTED, ""},
    {IDS_OS_SERVICE_PACK_TOO_OLD, "d"},
    {IDS_OS_PASSED, ""},
    {IDS_OS_NEWER_WINDOWS, ""},
    {IDS_REPORT_BUTTON, ""},
    {IDS_META_DATA, "cscsss"},
    {IDS_CPU_FAILED, ""},
    {IDS_CPU_PASSED, ""},
    {IDS_AGREEMENT_ACCEPT, ""},
    {IDS_AGREEMENT_DECLINE, ""},
    {IDS_AGREEMENT_INSTRUCTIONS, ""},
    {IDS_AGREEMENT_CHECKBOX, ""},
    {IDS_AGREEMENT_CAPTION, "s"},
    {IDS_DISK_BELOW, "sd"},
    {IDS_DISK_PASSED, "sd"},
    {IDS_GPU_MEMORY_LOW, "sd"},
    {IDS_GPU_MEMORY_PASSED, "sd"},
    {IDS_MEMORY_FAILED, ""},
    {IDS_MEMORY_WARNING, ""},
    {IDS_MEMORY_PASSED, ""},
    {IDS_MEMORY_UNREADABLE, ""},
    {IDS_SCREEN_BELOW, "dd"},
    {IDS_SCREEN_PASSED, "dd"},
    {IDS_SUMMARY_FAILED, "s"},
    {IDS_SUMMARY_WARNING, "s"},
    {IDS_SUMMARY_PASSED, "s"},
    {IDS_CARD_NOT_SUPPORTED, "s"},
    {IDS_CARD_DRIVER_CHECK, ""},
    {IDS_CARD_DRIVER_CHECK_REPORT, "s"},
    {IDS_CARD_SUPPORTED, ""},
    {IDS_DIAGNOSTIC_UNFINISHED, ""},
    {IDS_ADAPTERS_DIFFER, ""},
    {IDS_DRIVER_VERSION_UNREADABLE, ""},
    {IDS_CARD_SWITCHABLE_SUPPORTED, ""},
    {IDS_SILENT_NOT_ACCEPTED, ""},
    {IDS_SILENT_CANNOT_WRITE, "ss"},
    {IDS_SILENT_NO_TEMP_FOLDER, ""},
    {IDS_SILENT_SAME_FILE, ""},
    {IDS_DIAGNOSTIC_NOT_STARTED, ""},
    {IDS_SCREEN_NOT_MEASURED, ""},
    {IDS_GRAPHICS_NOT_MEASURED, ""},
    {IDS_GPU_MEMORY_LOW_UNNAMED, "d"},
    {IDS_GPU_MEMORY_PASSED_UNNAMED, "d"},
    {IDS_CARD_NOT_SUPPORTED_UNNAMED, ""},
    {IDS_CARD_NOT_CERTIFIED, "s"},
    {IDS_CARD_NOT_CERTIFIED_UNNAMED, ""},
    {IDS_GRAPHICS_REMOTE_SESSION, ""},
    {IDS_CARD_SCREENS_ON_DIFFERENT_ADAPTERS, ""},
    {IDS_CARD_VIRTUAL_MACHINE, ""},
    {IDS_CARD_VIRTUAL_MACHINE_NOT_SUPPORTED, ""},
    {IDS_DRIVER_OLDER_VERSION, "ss"},
    {IDS_DRIVER_OLDER_DATE, "ss"},
    {IDS_CARD_DRIVER_OLDER_VERSION, "ss"},
    {IDS_CARD_DRIVER_OLDER_DATE, "ss"},
    {IDS_HYBRID_GRAPHICS, "ss"},
    {IDS_REPORT_ADAPTERS, ""},
    {IDS_AGREEMENT_CHECKING, ""},
    {IDS_LIST_MENU_COPY, ""},
    {IDS_LIST_MENU_SELECT_ALL, ""},
};

// The conversion characters of a wvsprintfW format, "%%" skipped.
std::string Conversions(const std::u16string& format) {
    std::string conversions;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == u'%') {
            continue;
        }
        while (i < format.size() && std::u16string_view(u"-#0123456789.lhwI").find(format[i]) !=
                                        std::u16string_view::npos) {
            ++i;
        }
        if (i < format.size()) {
            conversions += static_cast<char>(format[i]);
        }
    }
    return conversions;
}

// Adds the identifiers of the strings of one block of a string table; a block
// holds the sixteen strings from (block - 1) * 16 on.
BOOL CALLBACK AddBlockIds(HMODULE library, LPCWSTR, LPWSTR block, LONG_PTR ids) {
    const int first = (static_cast<int>(reinterpret_cast<ULONG_PTR>(block)) - 1) * 16;
    for (int id = first; id < first + 16; ++id) {
        if (!LoadResourceString(library, id).empty()) {
            reinterpret_cast<std::set<int>*>(ids)->insert(id);
        }
    }
    return TRUE;
}

// The columns a text takes in the report: CJK characters take two.
size_t Columns(const std::u16string& text) {
    return std::accumulate(text.begin(), text.end(), size_t{0}, [](size_t sum, char16_t c) {
        return sum + ((c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ? 2 : 1);
    });
}

class LanguageLibrary : public testing::TestWithParam<std::wstring> {
  protected:
    void SetUp() override {
        library_.reset(LoadLibraryW(GetParam().c_str()));
        ASSERT_TRUE(library_.valid()) << "cannot load the library, error " << GetLastError();
    }
    std::u16string Text(int id) const { return LoadResourceString(library_.get(), id); }

    UniqueLibrary library_;
};

// Exactly the strings the program loads (English included: a string without
// a caller, or a caller without a string, fails), none empty.
TEST_P(LanguageLibrary, HoldsEveryStringWithTheConversionsOfItsArguments) {
    std::set<int> table;
    for (const StringUse& use : kStrings) {
        table.insert(use.id);
        EXPECT_EQ(Conversions(Text(use.id)), use.conversions)
            << "string " << use.id << " " << Readable(Text(use.id));
        EXPECT_FALSE(TrimSpaces(Text(use.id)).empty()) << "string " << use.id << " is empty";
    }
    std::set<int> ids;
    EnumResourceNamesW(library_.get(), RT_STRING, AddBlockIds, reinterpret_cast<LONG_PTR>(&ids));
    EXPECT_EQ(ids, table);
    // The program takes a library for one of its own by these.
    EXPECT_EQ(std::set<int>(std::begin(kLanguageStringIds), std::end(kLanguageStringIds)), table);
}

// The agreement page's two, the report button and the results list's menu
// commands: one each, apart within the page or menu; no other text has one.
TEST_P(LanguageLibrary, AcceleratorsAreApartWithinEachDialog) {
    std::set<int> withAccelerator;
    for (const std::vector<int>& dialog :
         std::vector<std::vector<int>>{{IDS_AGREEMENT_ACCEPT, IDS_AGREEMENT_CHECKBOX},
                                       {IDS_REPORT_BUTTON},
                                       {IDS_LIST_MENU_COPY, IDS_LIST_MENU_SELECT_ALL}}) {
        std::set<char16_t> keys;
        for (const int id : dialog) {
            const std::u16string text = Text(id);
            const size_t ampersand = text.find(u'&');
            ASSERT_LT(ampersand + 1, text.size()) << "string " << id << " " << Readable(text);
            EXPECT_EQ(text.find(u'&', ampersand + 1), std::u16string::npos) << "string " << id;
            EXPECT_TRUE(keys.insert(ToLowerAscii(text[ampersand + 1])).second)
                << "string " << id << " " << Readable(text);
            withAccelerator.insert(id);
        }
    }
    for (const StringUse& use : kStrings) {
        EXPECT_TRUE(withAccelerator.count(use.id) == 1 ||
                    Text(use.id).find(u'&') == std::u16string::npos)
            << "string " << use.id;
    }
}

// The menu commands name after a tab the keys the list takes for them,
// with the name of Ctrl on the language's keyboards.
TEST_P(LanguageLibrary, MenuCommandsNameTheirShortcuts) {
    for (const auto& [id, key] :
         {std::pair{IDS_LIST_MENU_COPY, u"+C"}, std::pair{IDS_LIST_MENU_SELECT_ALL, u"+A"}}) {
        const std::u16string text = Text(id);
        const size_t tab = text.find(u'\t');
        ASSERT_NE(tab, std::u16string::npos) << "string " << id << " " << Readable(text);
        const std::u16string shortcut = TrimSpaces(text.substr(tab + 1));
        EXPECT_TRUE(shortcut.ends_with(key)) << Readable(shortcut);
        EXPECT_TRUE(shortcut.starts_with(u"Ctrl+") || shortcut.starts_with(u"Strg+"))
            << Readable(shortcut);
    }
}

// The report starts each row with its status word, padded with blanks so that
// the texts line up in a second column; the results list shows at most
// kStatusWordUnits - 1 units of it.
TEST_P(LanguageLibrary, StatusWordsEndInOneColumn) {
    std::set<size_t> widths;
    for (const int id :
         {IDS_STATUS_FAILED, IDS_STATUS_WARNING, IDS_STATUS_PASSED, IDS_STATUS_NO_RESULT}) {
        EXPECT_TRUE(Text(id).ends_with(u"  ")) << Readable(Text(id));
        EXPECT_LT(Text(id).size(), kStatusWordUnits);
        widths.insert(Columns(Text(id)));
    }
    EXPECT_EQ(widths.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Every, LanguageLibrary, testing::ValuesIn(Libraries(true)));

// A button's label as a text names it: without its accelerator ("(&N)" in
// East Asian labels) and arrow.
std::u16string ButtonName(std::u16string label) {
    if (const size_t accelerator = label.find(u"(&"); accelerator != std::u16string::npos) {
        label.erase(accelerator, 4);
    }
    std::erase(label, u'&');
    std::erase(label, u'>');
    return TrimSpaces(label);
}

// The instructions and the agreement text of each language name the buttons
// as they are labelled, in their script as the reader decodes them.
TEST(AgreementPage, InstructionsAndAgreementNameTheButtonsAsLabelled) {
    for (const std::wstring& name : Libraries(false)) {
        SCOPED_TRACE(testing::PrintToString(name));
        UniqueLibrary library(LoadLibraryW(name.c_str()));
        ASSERT_TRUE(library.valid());
        const std::u16string next =
            ButtonName(LoadResourceString(library.get(), IDS_AGREEMENT_ACCEPT));
        const std::u16string cancel =
            ButtonName(LoadResourceString(library.get(), IDS_AGREEMENT_DECLINE));
        EXPECT_NE(LoadResourceString(library.get(), IDS_AGREEMENT_INSTRUCTIONS).find(next),
                  std::u16string::npos)
            << Readable(next);
        TextFileReader reader(u"Lic_" + FromWide(name.substr(5, name.size() - 9)) + u".Txt");
        std::u16string agreement;
        for (const std::u16string& line : ReadAllLines(reader)) {
            agreement += line + u" ";
        }
        EXPECT_NE(agreement.find(next), std::u16string::npos) << Readable(next);
        EXPECT_NE(agreement.find(cancel), std::u16string::npos) << Readable(cancel);
    }
}

// The driver messages name two versions or dates, the list's (certified) and
// the adapter's (installed), in the order the caller passes them (the driver
// row's: list, adapter; the card row's: adapter, list). Each language must
// name each in its role; list 11.22 and adapter 33.44 show where each ends up.
TEST(LanguageLibrary, DriverMessagesNameEachVersionInItsRole) {
    const struct {
        const wchar_t* library;
        int id;
        const char16_t* listPhrase;
        const char16_t* adapterPhrase;
    } roles[] = {
        {L"Lang_En.Dll", IDS_DRIVER_OLDER_VERSION, u"version 11.22 is certified",
         u"33.44 is installed"},
        {L"Lang_En.Dll", IDS_DRIVER_OLDER_DATE, u"driver of 11.22 is certified",
         u"33.44 is installed"},
        {L"Lang_En.Dll", IDS_CARD_DRIVER_OLDER_VERSION, u"certified driver 11.22",
         u"installed graphics driver 33.44"},
        {L"Lang_En.Dll", IDS_CARD_DRIVER_OLDER_DATE, u"certified driver of 11.22",
         u"installed graphics driver of 33.44"},
        {L"Lang_De.Dll", IDS_DRIVER_OLDER_VERSION, u"Zertifiziert ist Version 11.22",
         u"installiert ist 33.44"},
        {L"Lang_De.Dll", IDS_CARD_DRIVER_OLDER_VERSION, u"zertifizierte Treiber 11.22",
         u"installierte Grafiktreiber 33.44"},
    };
    for (const auto& role : roles) {
        SCOPED_TRACE(testing::Message() << role.id << " in " << std::wstring(role.library));
        UniqueLibrary library(LoadLibraryW(role.library));
        ASSERT_TRUE(library.valid());
        const std::u16string format = LoadResourceString(library.get(), role.id);
        const bool listFirst =
            role.id == IDS_DRIVER_OLDER_VERSION || role.id == IDS_DRIVER_OLDER_DATE;
        const std::u16string text = listFirst ? FormatString(format, {u"11.22", u"33.44"})
                                              : FormatString(format, {u"33.44", u"11.22"});
        EXPECT_NE(text.find(role.listPhrase), std::u16string::npos) << testing::PrintToString(text);
        EXPECT_NE(text.find(role.adapterPhrase), std::u16string::npos)
            << testing::PrintToString(text);
    }
}

TEST(LanguageLibrary, GermanTextsKeepTheirUmlauts) {
    UniqueLibrary library(LoadLibraryW(L"Lang_De.Dll"));
    ASSERT_TRUE(library.valid());
    EXPECT_NE(LoadResourceString(library.get(), IDS_OS_SERVICE_PACK_TOO_OLD).find(u"ben\u00f6tigt"),
              std::u16string::npos);
    EXPECT_NE(LoadResourceString(library.get(), IDS_MEMORY_UNREADABLE).find(u"Gr\u00f6\u00dfe"),
              std::u16string::npos);
}

TEST(LanguageLibrary, IsResourcesOnly) {
    UniqueLibrary library(LoadLibraryW(L"Lang_En.Dll"));
    ASSERT_TRUE(library.valid());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(library.get());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        reinterpret_cast<const BYTE*>(library.get()) + dos->e_lfanew);
    EXPECT_EQ(nt->OptionalHeader.AddressOfEntryPoint, 0u);
    // The linker leaves an empty import table: its first descriptor ends it.
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.Size != 0) {
        const auto* first = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
            reinterpret_cast<const BYTE*>(library.get()) + imports.VirtualAddress);
        EXPECT_EQ(first->Name, 0u) << "the library imports a DLL";
    }
}

// East Asian texts ship as UTF-16 (two bytes a character instead of three),
// the others as UTF-8.
TEST(AgreementText, EveryLanguageShipsInAnEncodingTheAgreementPageReads) {
    const std::set<std::u16string> utf16 = {u"Ja", u"Ko", u"Zh-Hans", u"Zh-Hant"};
    for (const std::wstring& name : Libraries(false)) {
        const std::u16string code = FromWide(name.substr(5, name.size() - 9));
        SCOPED_TRACE(Readable(code));
        TextFileReader reader(u"Lic_" + code + u".Txt");
        ASSERT_TRUE(reader.IsOpen());
        EXPECT_EQ(reader.Encoding(),
                  utf16.count(code) == 1 ? TextEncoding::Utf16LittleEndian : TextEncoding::Utf8);
        const std::vector<std::u16string> lines = ReadAllLines(reader);
        ASSERT_GT(lines.size(), 20u);
        EXPECT_NE(lines.front().find(u"QUARVEL 2012"), std::u16string::npos);
        for (const auto& line : lines) {
            EXPECT_EQ(line.find_first_of(u"\r\ufffd"), std::u16string::npos) << Readable(line);
        }
    }
}

}  // namespace
