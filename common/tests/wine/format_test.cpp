// FormatString against the real wvsprintfW, on the conversions the language
// strings use and the edges of their layout.
#include "common/format.h"

#include "common/win/wide.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdarg>
#include <string>
#include <vector>

namespace {

std::wstring CallWvsprintf(const wchar_t* format, ...) {
    wchar_t buffer[1025] = {};
    va_list arguments;
    va_start(arguments, format);
    wvsprintfW(buffer, format, arguments);
    va_end(arguments);
    return buffer;
}

FormatArgument Convert(int value, std::vector<std::u16string>&) {
    return value;
}
FormatArgument Convert(unsigned value, std::vector<std::u16string>&) {
    return value;
}
FormatArgument Convert(const wchar_t* text, std::vector<std::u16string>& store) {
    store.push_back(FromWide(text));  // reserved: the view stays valid
    return store.back();
}

template <typename... Args>
void ExpectSameAsWvsprintf(const wchar_t* format, Args... args) {
    std::vector<std::u16string> store;
    store.reserve(sizeof...(Args));
    const std::u16string ours = FormatString(FromWide(format), {Convert(args, store)...});
    EXPECT_EQ(ours, FromWide(CallWvsprintf(format, args...)))
        << "format: " << testing::PrintToString(FromWide(format));
}

TEST(FormatString, MatchesWvsprintf) {
    ExpectSameAsWvsprintf(L"%s requires %d MB of %s.", L"Quadro FX 580", 256, L"memory");
    ExpectSameAsWvsprintf(L"%cPC7%c %02d.%02d.%d", 34, 34, 6, 12, 2026);
    ExpectSameAsWvsprintf(L"%c%s%c, %s, %s, %s", 34, L"W\x00e4rme", 34, L"06.12.2026", L"2012",
                          L"20.02.12");
    ExpectSameAsWvsprintf(L"%d|%i|%u", -42, 7, -1);
    ExpectSameAsWvsprintf(L"%u", 4294967295u);
    ExpectSameAsWvsprintf(L"%d", INT32_MIN);
    ExpectSameAsWvsprintf(L"%x|%X|%#x|%#X|%08x", 255, 255, 255, 255, 48879);
    ExpectSameAsWvsprintf(L"%5d|%-5d|%05d|%05d|%-05d|", 42, 42, 42, -42, 42);
    ExpectSameAsWvsprintf(L"%.3d|%6.3d|%-6.3d|%.0d|", 7, 7, 7, 0);
    ExpectSameAsWvsprintf(L"%6s|%-6s|%.2s|%6.2s|%05s|", L"ab", L"ab", L"abc", L"abc", L"ab");
    ExpectSameAsWvsprintf(L"%s|%s", L"", L"x");
    ExpectSameAsWvsprintf(L"%ld %ls %ws %hd", 5, L"x", L"y", 6);
    ExpectSameAsWvsprintf(L"%5c|%-3c|", 65, 66);
    ExpectSameAsWvsprintf(L"100%% %d%%", 5);
    ExpectSameAsWvsprintf(L"a%yb|%4yc|%-4yd|", 1);
    ExpectSameAsWvsprintf(L"abc%");
    ExpectSameAsWvsprintf(L"Laufwerk %s: mindestens %d GB", L"C", 10);
}

TEST(FormatString, OutputLimitMatchesWvsprintf) {
    const std::wstring longText(2000, L'x');
    ExpectSameAsWvsprintf(L"%s", longText.c_str());
    ExpectSameAsWvsprintf(L"%s|%d", std::wstring(1020, L'a').c_str(), 123456);
    ExpectSameAsWvsprintf(L"%1100d|", 5);
    ExpectSameAsWvsprintf((std::wstring(1022, L'a') + L"%d").c_str(), 42);
}

}  // namespace
