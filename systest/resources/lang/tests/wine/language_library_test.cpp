// The shipped language libraries and agreement texts: every string the program
// loads is there, in every language, with the conversions its callers format
// it with; the agreement texts read back in the encodings they ship in.
#include "common/format.h"
#include "common/win/handles.h"
#include "common/win/resource_string.h"
#include "systest/engine/tests/wine/text_file_lines.h"
#include "systest/resources/string_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
    {IDS_DRIVER_OUTDATED, "dddd"},
    {IDS_CARD_DRIVER_OUTDATED, "dddd"},
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

class LanguageLibrary : public testing::TestWithParam<const wchar_t*> {};

TEST_P(LanguageLibrary, HoldsEveryStringWithTheConversionsOfItsArguments) {
    UniqueLibrary library(LoadLibraryW(GetParam()));
    ASSERT_TRUE(library.valid()) << "cannot load the library, error " << GetLastError();
    for (const StringUse& use : kStrings) {
        const std::u16string text = LoadResourceString(library.get(), use.id);
        EXPECT_FALSE(text.empty()) << "string " << use.id << " is missing";
        EXPECT_EQ(Conversions(text), use.conversions) << "string " << use.id;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageLibrary, testing::Values(L"Lang_En.Dll", L"Lang_De.Dll"));

// The driver messages name two versions, the list's (certified) and the
// adapter's (installed), in the order the caller passes them (983: list,
// adapter; 984: adapter, list). Each language must name each version in its
// role; list 11.22 and adapter 33.44 show where each ends up.
TEST(LanguageLibrary, DriverMessagesNameEachVersionInItsRole) {
    const struct {
        const wchar_t* library;
        int id;
        const char16_t* listPhrase;
        const char16_t* adapterPhrase;
    } roles[] = {
        {L"Lang_En.Dll", IDS_DRIVER_OUTDATED, u"version 11.22 is certified", u"33.44 is installed"},
        {L"Lang_En.Dll", IDS_CARD_DRIVER_OUTDATED, u"certified driver 11.22",
         u"installed graphics driver 33.44"},
        {L"Lang_De.Dll", IDS_DRIVER_OUTDATED, u"zertifiziert ist Version 11.22",
         u"installiert ist 33.44"},
        {L"Lang_De.Dll", IDS_CARD_DRIVER_OUTDATED, u"zertifizierte Treiber 11.22",
         u"installierte Grafiktreiber 33.44"},
    };
    for (const auto& role : roles) {
        SCOPED_TRACE(testing::Message() << role.id << " in " << std::wstring(role.library));
        UniqueLibrary library(LoadLibraryW(role.library));
        ASSERT_TRUE(library.valid());
        const std::u16string format = LoadResourceString(library.get(), role.id);
        const std::u16string text = role.id == IDS_DRIVER_OUTDATED
                                        ? FormatString(format, {11, 22, 33, 44})
                                        : FormatString(format, {33, 44, 11, 22});
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

TEST(AgreementText, ShipsInBothEncodingsTheAgreementPageReads) {
    const struct {
        const char16_t* file;
        TextEncoding encoding;
        const char16_t* firstLine;
    } texts[] = {
        {u"Lic_En.Txt", TextEncoding::Utf8, u"LICENSE AGREEMENT FOR THE QUARVEL 2012 SYSTEM TEST"},
        {u"Lic_De.Txt", TextEncoding::Utf16LittleEndian,
         u"LIZENZVEREINBARUNG F\u00dcR DEN SYSTEMTEST VON QUARVEL 2012"},
    };
    for (const auto& text : texts) {
        TextFileReader reader(text.file);
        ASSERT_TRUE(reader.IsOpen());
        EXPECT_EQ(reader.Encoding(), text.encoding);
        const std::vector<std::u16string> lines = ReadAllLines(reader);
        ASSERT_GT(lines.size(), 20u);
        EXPECT_EQ(lines.front(), text.firstLine);
        for (const auto& l : lines) {
            EXPECT_EQ(l.find(u'\r'), std::u16string::npos);
            EXPECT_LE(l.size(), 90u) << "the list box shows each line unwrapped";
        }
    }
}

}  // namespace
