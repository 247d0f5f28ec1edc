// The shipped language libraries, the pseudo-language and the agreement texts:
// every string the program loads is there, in every language, with the
// conversions its callers format it with, the accelerators of a dialog apart
// and the status words padded to one column; the agreement texts read back in
// the encodings they ship in, in the script of their language.
#include "common/format.h"
#include "common/text.h"
#include "common/win/handles.h"
#include "common/win/resource_string.h"
#include "systest/engine/string_source.h"
#include "systest/engine/tests/wine/text_file_lines.h"
#include "systest/resources/string_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kPseudoLanguage[] = L"Lang_Qps.Dll";

// The shipped libraries by file name, from the build's list.
std::vector<std::wstring> ShippedLibraries() {
    std::vector<std::wstring> libraries;
    const std::wstring names = L"" QST_LANGUAGE_LIBRARIES;
    for (size_t start = 0; start < names.size();) {
        const size_t end = std::min(names.find(L',', start), names.size());
        libraries.push_back(names.substr(start, end - start));
        start = end + 1;
    }
    return libraries;
}

std::vector<std::wstring> AllLibraries() {
    std::vector<std::wstring> libraries = ShippedLibraries();
    libraries.push_back(kPseudoLanguage);
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
    {IDS_GPU_MEMORY_LOW_UNNAMED, "d"},
    {IDS_GPU_MEMORY_PASSED_UNNAMED, "d"},
    {IDS_CARD_NOT_SUPPORTED_UNNAMED, ""},
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

// The identifiers of every string the library holds.
std::set<int> StringIds(HMODULE library) {
    std::set<int> ids;
    EnumResourceNamesW(library, RT_STRING, AddBlockIds, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// The character an "&" makes the accelerator of a control's text; 0 for none.
char16_t Accelerator(const std::u16string& text) {
    const size_t ampersand = text.find(u'&');
    return ampersand == std::u16string::npos || ampersand + 1 == text.size()
               ? 0
               : ToLowerAscii(text[ampersand + 1]);
}

// The columns a text takes in the report: CJK characters take two.
size_t Columns(const std::u16string& text) {
    size_t columns = 0;
    for (const char16_t c : text) {
        columns += c >= 0x1100 && (c <= 0x115F || (c >= 0x2E80 && c <= 0xA4CF) ||
                                   (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                                   (c >= 0xFF00 && c <= 0xFF60))
                       ? 2
                       : 1;
    }
    return columns;
}

TEST(LanguageLibrary, EveryLibraryHoldsEveryStringWithTheConversionsOfItsArguments) {
    UniqueLibrary english(LoadLibraryW(L"Lang_En.Dll"));
    ASSERT_TRUE(english.valid());
    std::set<int> table;
    for (const StringUse& use : kStrings) {
        table.insert(use.id);
    }
    // A string the program has no caller for, or a caller without a string.
    EXPECT_EQ(StringIds(english.get()), table);

    for (const std::wstring& name : AllLibraries()) {
        SCOPED_TRACE(testing::PrintToString(name));
        UniqueLibrary library(LoadLibraryW(name.c_str()));
        ASSERT_TRUE(library.valid()) << "cannot load the library, error " << GetLastError();
        EXPECT_EQ(StringIds(library.get()), table);
        for (const StringUse& use : kStrings) {
            const std::u16string text = LoadResourceString(library.get(), use.id);
            EXPECT_EQ(Conversions(text), use.conversions)
                << "string " << use.id << " " << Readable(text);
            EXPECT_FALSE(TrimSpaces(text).empty()) << "string " << use.id << " is empty";
        }
    }
}

TEST(LanguageLibrary, AcceleratorsOfADialogDiffer) {
    // The texts that carry an accelerator, by dialog; no other text has one.
    const std::vector<std::vector<int>> dialogs = {{IDS_AGREEMENT_ACCEPT, IDS_AGREEMENT_CHECKBOX},
                                                   {IDS_REPORT_BUTTON}};
    for (const std::wstring& name : AllLibraries()) {
        SCOPED_TRACE(testing::PrintToString(name));
        UniqueLibrary library(LoadLibraryW(name.c_str()));
        ASSERT_TRUE(library.valid());
        std::set<int> withAccelerator;
        for (const std::vector<int>& dialog : dialogs) {
            std::set<char16_t> keys;
            for (const int id : dialog) {
                const std::u16string text = LoadResourceString(library.get(), id);
                const char16_t key = Accelerator(text);
                EXPECT_NE(key, 0) << "string " << id << " " << Readable(text);
                EXPECT_EQ(std::count(text.begin(), text.end(), u'&'), 1) << "string " << id;
                EXPECT_TRUE(keys.insert(key).second) << "string " << id << " " << Readable(text);
                withAccelerator.insert(id);
            }
        }
        for (const StringUse& use : kStrings) {
            if (withAccelerator.count(use.id) == 0) {
                const std::u16string text = LoadResourceString(library.get(), use.id);
                EXPECT_EQ(text.find(u'&'), std::u16string::npos) << "string " << use.id;
            }
        }
    }
}

// The report starts each row with its status word, padded with blanks to one
// width, so the texts line up in a second column; the results list shows
// at most kStatusWordUnits - 1 units of it.
TEST(LanguageLibrary, StatusWordsFitTheirColumn) {
    for (const std::wstring& name : AllLibraries()) {
        SCOPED_TRACE(testing::PrintToString(name));
        UniqueLibrary library(LoadLibraryW(name.c_str()));
        ASSERT_TRUE(library.valid());
        std::set<size_t> widths;
        for (const int id :
             {IDS_STATUS_FAILED, IDS_STATUS_WARNING, IDS_STATUS_PASSED, IDS_STATUS_NO_RESULT}) {
            const std::u16string word = LoadResourceString(library.get(), id);
            EXPECT_TRUE(word.ends_with(u"  ")) << Readable(word);
            EXPECT_LT(word.size(), kStatusWordUnits) << Readable(word);
            widths.insert(Columns(word));
        }
        EXPECT_EQ(widths.size(), 1u) << "the status words end in one column";
    }
}

// A button's label as a text names it: without its accelerator and arrow.
std::u16string ButtonName(std::u16string label) {
    const size_t accelerator = label.find(u"(&");
    if (accelerator != std::u16string::npos) {
        label.erase(accelerator, 4);  // "(&N)", as East Asian labels carry it
    }
    std::erase(label, u'&');
    if (label.ends_with(u">")) {
        label.pop_back();
    }
    return TrimSpaces(label);
}

TEST(LanguageLibrary, AgreementInstructionsAndTextNameTheButtonsAsLabelled) {
    for (const std::wstring& name : ShippedLibraries()) {
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

// Each library speaks its language in its script: the UTF-8 source came
// through, and no library is another's copy.
TEST(LanguageLibrary, TextsKeepTheirScript) {
    const struct {
        const wchar_t* library;
        int id;
        const char16_t* fragment;
    } texts[] = {
        {L"Lang_En.Dll", IDS_CARD_SUPPORTED, u"certified"},
        {L"Lang_De.Dll", IDS_MEMORY_UNREADABLE, u"Gr\u00f6\u00dfe"},
        {L"Lang_Fr.Dll", IDS_OS_NOT_SUPPORTED, u"ne prend pas en charge"},
        {L"Lang_It.Dll", IDS_OS_PASSED, u"\u00e8 supportata"},
        {L"Lang_Es.Dll", IDS_OS_PASSED, u"versi\u00f3n"},
        {L"Lang_Pt.Dll", IDS_OS_PASSED, u"vers\u00e3o"},
        {L"Lang_Nl.Dll", IDS_OS_PASSED, u"ondersteund"},
        {L"Lang_Pl.Dll", IDS_OS_PASSED, u"obs\u0142ugiwana"},
        {L"Lang_Cs.Dll", IDS_OS_PASSED, u"podporov\u00e1na"},
        {L"Lang_Hu.Dll", IDS_OS_PASSED, u"verzi\u00f3ja t\u00e1mogatott"},
        {L"Lang_Ru.Dll", IDS_OS_PASSED, u"\u043f\u043e\u0434\u0434\u0435\u0440\u0436\u0438"},
        {L"Lang_Tr.Dll", IDS_OS_PASSED, u"s\u00fcr\u00fcm\u00fc"},
        {L"Lang_Ja.Dll", IDS_COLUMN_CHECK, u"\u8981\u4ef6"},
        {L"Lang_Ko.Dll", IDS_COLUMN_CHECK, u"\uc694\uad6c \uc0ac\ud56d"},
        {L"Lang_Zh-Hans.Dll", IDS_COLUMN_CHECK, u"\u8981\u6c42"},  // Simplified
        {L"Lang_Zh-Hant.Dll", IDS_COLUMN_CHECK, u"\u9700\u6c42"},  // Traditional
    };
    EXPECT_EQ(std::size(texts), ShippedLibraries().size());
    for (const auto& text : texts) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text.library)));
        UniqueLibrary library(LoadLibraryW(text.library));
        ASSERT_TRUE(library.valid());
        EXPECT_NE(LoadResourceString(library.get(), text.id).find(text.fragment),
                  std::u16string::npos);
    }
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
// the others as UTF-8; each reads back in its own script.
TEST(AgreementText, EveryLanguageShipsInAnEncodingTheAgreementPageReads) {
    const struct {
        const char16_t* file;
        TextEncoding encoding;
        char16_t first;  // a range of characters of its script
        char16_t last;
    } texts[] = {
        {u"Lic_En.Txt", TextEncoding::Utf8, u'A', u'z'},
        {u"Lic_De.Txt", TextEncoding::Utf8, u'\u00c0', u'\u00ff'},
        {u"Lic_Fr.Txt", TextEncoding::Utf8, u'\u00c0', u'\u00ff'},
        {u"Lic_It.Txt", TextEncoding::Utf8, u'\u00c0', u'\u00ff'},
        {u"Lic_Es.Txt", TextEncoding::Utf8, u'\u00c0', u'\u00ff'},
        {u"Lic_Pt.Txt", TextEncoding::Utf8, u'\u00c0', u'\u00ff'},
        {u"Lic_Nl.Txt", TextEncoding::Utf8, u'A', u'z'},
        {u"Lic_Pl.Txt", TextEncoding::Utf8, u'\u0100', u'\u017f'},
        {u"Lic_Cs.Txt", TextEncoding::Utf8, u'\u0100', u'\u017f'},
        {u"Lic_Hu.Txt", TextEncoding::Utf8, u'\u0150', u'\u0171'},
        {u"Lic_Ru.Txt", TextEncoding::Utf8, u'\u0400', u'\u04ff'},
        {u"Lic_Tr.Txt", TextEncoding::Utf8, u'\u011e', u'\u015f'},
        {u"Lic_Ja.Txt", TextEncoding::Utf16LittleEndian, u'\u3040', u'\u30ff'},
        {u"Lic_Ko.Txt", TextEncoding::Utf16LittleEndian, u'\uac00', u'\ud7a3'},
        {u"Lic_Zh-Hans.Txt", TextEncoding::Utf16LittleEndian, u'\u4e00', u'\u9fff'},
        {u"Lic_Zh-Hant.Txt", TextEncoding::Utf16LittleEndian, u'\u4e00', u'\u9fff'},
    };
    EXPECT_EQ(std::size(texts), ShippedLibraries().size());
    for (const auto& text : texts) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(text.file)));
        TextFileReader reader(text.file);
        ASSERT_TRUE(reader.IsOpen());
        EXPECT_EQ(reader.Encoding(), text.encoding);
        const std::vector<std::u16string> lines = ReadAllLines(reader);
        ASSERT_GT(lines.size(), 20u);
        EXPECT_NE(lines.front().find(u"QUARVEL 2012"), std::u16string::npos);
        size_t inScript = 0;
        for (const auto& line : lines) {
            EXPECT_EQ(line.find_first_of(u"\r\ufffd"), std::u16string::npos) << Readable(line);
            inScript +=
                static_cast<size_t>(std::count_if(line.begin(), line.end(), [&](char16_t c) {
                    return c >= text.first && c <= text.last;
                }));
        }
        EXPECT_GE(inScript, 10u) << "characters of the script";
    }
}

}  // namespace
