// Both dialogs in every language library and the pseudo-language, at the
// screen DPI given on the command line: no text of a static control, a button,
// an agreement line or a results list cell is cut, no character is drawn as
// the box of a missing glyph, and the list, the summary icon and the logo have
// the size drawn for that DPI. Runs in a Wine session of its own per DPI, all
// languages in one program.
#include "common/text.h"
#include "common/win/program_folder.h"
#include "common/win/resource_string.h"
#include "common/win/screen_dpi.h"
#include "common/win/window_text.h"
#include "systest/resources/resource.h"
#include "systest/resources/string_ids.h"
#include "systest/ui/agreement_dialog.h"
#include "systest/ui/language_files.h"
#include "systest/ui/main_dialog.h"
#include "systest/ui/userlist/tests/wine/list_fixture.h"
#include "systest/ui/userlist/title_tip_layout.h"
#include "systest/ui/userlist/win/list_visuals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

int g_dpi = 0;  // the session's, from the command line

struct Language {
    std::wstring library;    // Lang_<code>.Dll
    std::wstring agreement;  // Lic_<code>.Txt
};

// Every shipped language, then the pseudo-language, which has no agreement
// text of its own and shows the English one.
std::vector<Language> Languages() {
    std::vector<Language> languages;
    const std::wstring names = L"" QST_LANGUAGE_LIBRARIES;
    for (size_t start = 0; start < names.size();) {
        const size_t end = std::min(names.find(L',', start), names.size());
        const std::wstring library = names.substr(start, end - start);
        const std::wstring code = library.substr(5, library.size() - 9);  // Lang_<code>.Dll
        languages.push_back({library, L"Lic_" + code + L".Txt"});
        start = end + 1;
    }
    languages.push_back({L"Lang_Qps.Dll", L"Lic_En.Txt"});
    return languages;
}

std::string Readable(const std::wstring& text) {
    return Utf8FromUtf16(FromWide(text));
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

SIZE TextExtent(HWND window, const std::wstring& text, UINT format, int width) {
    const WindowDc dc(window);
    SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    RECT area{0, 0, width, 0};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &area, format | DT_CALCRECT);
    return {area.right - area.left, area.bottom - area.top};
}

// What of a control's text is cut: empty when all of it shows. Static texts
// wrap as DrawText wraps them; push buttons and check boxes have one line,
// inside their frame or beside their box.
std::string CutText(HWND control) {
    const std::wstring text = WindowText(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    RECT client{};
    GetClientRect(control, &client);
    const std::wstring kind = ClassName(control);
    if (text.empty() || (kind != L"Static" && kind != L"Button")) {
        return {};
    }
    if (kind == L"Static") {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) {
            return {};  // icons and bitmaps
        }
        const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        const SIZE size =
            TextExtent(control, text, DT_WORDBREAK | DT_EXPANDTABS | prefix, client.right);
        if (size.cx > client.right || size.cy > client.bottom) {
            return "needs " + std::to_string(size.cx) + " x " + std::to_string(size.cy) + ", has " +
                   std::to_string(client.right) + " x " + std::to_string(client.bottom);
        }
        return {};
    }
    const LONG type = style & BS_TYPEMASK;
    const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
    // A push button's text stays inside its raised edge; a check box's starts
    // beside the box.
    const int room =
        box ? client.right - GetSystemMetrics(SM_CXMENUCHECK) - MulDiv(4, g_dpi, kLayoutDpi)
            : client.right - 4 * GetSystemMetrics(SM_CXEDGE);
    const SIZE size = TextExtent(control, text, DT_SINGLELINE, client.right);
    if (size.cx > room || size.cy > client.bottom) {
        return "needs " + std::to_string(size.cx) + " x " + std::to_string(size.cy) + ", has " +
               std::to_string(room) + " x " + std::to_string(client.bottom);
    }
    return {};
}

// A square of three text heights of the font selected into the DC, 32 bits a
// pixel, top row first.
HBITMAP CreateCanvas(HDC dc, int& size, const uint32_t*& pixels) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size = 3 * metrics.tmHeight;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<const uint32_t*>(bits);
    return bitmap;
}

// Draws single characters in a font, black on white, for comparing what
// they look like.
class GlyphCanvas {
  public:
    explicit GlyphCanvas(HFONT font)
        : dc_(CreateCompatibleDC(nullptr)),
          font_(dc_.get(), font),
          bitmap_(CreateCanvas(dc_.get(), size_, pixels_)),
          canvas_(dc_.get(), bitmap_.get()) {}

    // Which pixels the character inks.
    std::vector<bool> Draw(wchar_t c) const {
        const RECT all{0, 0, size_, size_};
        FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        TextOutW(dc_.get(), 0, 0, &c, 1);
        GdiFlush();
        std::vector<bool> ink(static_cast<size_t>(size_) * static_cast<size_t>(size_));
        for (size_t i = 0; i < ink.size(); ++i) {
            ink[i] = (pixels_[i] & 0xFFFFFF) != 0xFFFFFF;
        }
        return ink;
    }

  private:
    UniqueCreatedDc dc_;
    SelectedObject font_;
    int size_ = 0;
    const uint32_t* pixels_ = nullptr;  // of bitmap_
    UniqueBitmap bitmap_;
    SelectedObject canvas_;  // bitmap_, until it is deleted
};

// The characters of the text that the control's font draws as the box of a
// missing glyph (as it draws U+FFFF, which no font has). GetGlyphIndicesW
// cannot tell: it looks at the font itself, not at the fonts linked to it
// that draw CJK text in a Western font (on Windows as under Wine).
std::wstring MissingGlyphs(HWND control, const std::wstring& text) {
    const GlyphCanvas canvas(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::vector<bool> missing = canvas.Draw(L'\xFFFF');
    std::set<wchar_t> seen;
    std::wstring boxes;
    for (const wchar_t c : text) {
        if (c >= 0x80 && seen.insert(c).second && canvas.Draw(c) == missing) {
            boxes += c;
        }
    }
    return boxes;
}

void ExpectNoTextCut(HWND dialog) {
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const std::string cut = CutText(control);
        EXPECT_TRUE(cut.empty()) << "control " << GetDlgCtrlID(control) << " \""
                                 << Readable(WindowText(control)) << "\": " << cut;
        const std::wstring boxes = MissingGlyphs(control, WindowText(control));
        EXPECT_TRUE(boxes.empty()) << "control " << GetDlgCtrlID(control)
                                   << " draws no glyph for \"" << Readable(boxes) << "\"";
    }
}

// Every line of the agreement text shows whole (the list box neither wraps
// nor scrolls sideways) and in glyphs of its script.
void ExpectAgreementLinesWhole(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    // A list box item starts one pixel in from the edge.
    const int room = client.right - 2;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    EXPECT_GT(count, 20);
    std::wstring all;
    for (int line = 0; line < count; ++line) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, line, 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.data()));
        const int width = TextExtent(list, text, DT_SINGLELINE | DT_NOPREFIX, 0).cx;
        EXPECT_LE(width, room) << "agreement line " << line << " \"" << Readable(text) << "\"";
        all += text;
    }
    const std::wstring boxes = MissingGlyphs(list, all);
    EXPECT_TRUE(boxes.empty()) << "the agreement text draws no glyph for \"" << Readable(boxes)
                               << "\"";
}

int ListTextWidth(HWND list, const std::u16string& text) {
    const WindowDc dc(list);
    const UniqueFont font = CreateMessageFont();
    SelectedObject selected(dc.get(), font.get());
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), reinterpret_cast<const wchar_t*>(text.c_str()),
                          static_cast<int>(text.size()), &extent);
    return extent.cx;
}

// Every cell of the results list shows its whole text, and the rows are as
// high as the text and the images.
void ExpectListCellsWhole(const UserList& list, const ListRowStore& rows) {
    const ListMetrics metrics = ListMetricsForDpi(ScreenDpi());
    const HWND window = list.Window();
    const int textHeight = TextExtent(window, L"Height", DT_SINGLELINE, 0).cy;
    for (int32_t row = 0; row < rows.ItemCount(); ++row) {
        for (int32_t column = 0; column < list.GetColumnCount(); ++column) {
            RECT rect{};
            ASSERT_TRUE(list.GetItemRect(row, column, rect)) << row << ", " << column;
            EXPECT_GE(rect.bottom - rect.top, std::max(textHeight, metrics.imageSize));
            ListColumn record;
            ASSERT_TRUE(list.GetColumn(column, record));
            const int32_t subItem = record.subItem;
            const std::u16string text = rows.ItemText(row, subItem);
            const bool image = rows.ItemImage(row, subItem) != -1;
            const ListRect area = TitleTipTextRect({rect.left, rect.top, rect.right, rect.bottom},
                                                   column, image, metrics);
            EXPECT_FALSE(TitleTipNeeded(area, ListTextWidth(window, text)))
                << "row " << row << ", column " << column << ": " << testing::PrintToString(text);
        }
    }
}

// The rows of a passed image ("tick in a green disc") in the list's picture.
int GreenDiscHeight(const UserList& list, int32_t row) {
    RECT cell{};
    if (!list.GetItemRect(row, 0, cell)) {
        return 0;
    }
    const Picture picture(list.Window());
    int height = 0;
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x) {
            const COLORREF c = picture.At(x, y);
            if (GetGValue(c) > GetRValue(c) + 60 && GetGValue(c) > GetBValue(c) + 60) {
                ++height;
                break;
            }
        }
    }
    return height;
}

class FixedChecks final : public SystemChecks, public GraphicsChecks {
  public:
    FixedChecks(CheckLevel level, const StringSource& strings) : level_(level), strings_(strings) {}

    OperatingSystemCheck CheckOperatingSystem() override {
        return {Row(IDS_OS_NEWER_WINDOWS), std::nullopt};
    }
    CheckResult CheckProcessor() override { return Row(IDS_CPU_PASSED); }
    CheckResult CheckMemory() override { return Row(IDS_MEMORY_WARNING); }
    CheckResult CheckDiskSpace() override { return {}; }
    CheckResult CheckScreen() override { return {}; }
    GraphicsFindings RunDiagnostic() override {
        AdapterRows rows;
        rows.card = Row(IDS_CARD_SWITCHABLE_SUPPORTED);
        rows.adaptersDiffer = Row(IDS_ADAPTERS_DIFFER);
        return {{}, {}, Row(IDS_DIAGNOSTIC_UNFINISHED), rows};
    }

  private:
    CheckResult Row(int id) const {
        if (level_ == CheckLevel::NoResult) {
            return {};
        }
        const std::u16string row = strings_.Load(id);
        return {level_, row, row};
    }

    CheckLevel level_;
    const StringSource& strings_;
};

TEST(DpiLayout, TheSessionHasTheDpi) {
    EXPECT_EQ(ScreenDpi(), g_dpi);
}

TEST(DpiLayout, AgreementPageShowsEveryText) {
    for (const Language& language : Languages()) {
        SCOPED_TRACE(Readable(language.library) + " at " + std::to_string(g_dpi) + " DPI");
        AppModule module(GetModuleHandleW(nullptr));
        const LanguageResources resources(
            OpenLanguageLibrary(ToWide(ProgramFolder()) + language.library),
            FromWide(language.agreement));
        AgreementDialog page(module, resources);
        ASSERT_TRUE(page.Create());
        ExpectNoTextCut(page.Window());
        ExpectAgreementLinesWhole(GetDlgItem(page.Window(), IDC_AGREEMENT_TEXT));
        // Accepted: the line that says the checks run.
        SendDlgItemMessageW(page.Window(), IDC_ACCEPT_BOX, BM_CLICK, 0, 0);
        SendMessageW(page.Window(), WM_COMMAND, IDOK, 0);
        MSG quit{};
        ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        ExpectNoTextCut(page.Window());
    }
}

TEST(DpiLayout, MainDialogShowsEveryTextAndImagesOfItsSize) {
    RegisterUserListClass(GetModuleHandleW(nullptr));
    const int32_t imageSize = ListMetricsForDpi(g_dpi).imageSize;
    for (const Language& language : Languages()) {
        // Each verdict brings its own status word and summary text.
        for (const CheckLevel level :
             {CheckLevel::Failed, CheckLevel::Warning, CheckLevel::Passed, CheckLevel::NoResult}) {
            SCOPED_TRACE(Readable(language.library) + " at " + std::to_string(g_dpi) +
                         " DPI, level " + std::to_string(static_cast<int>(level)));
            AppModule module(GetModuleHandleW(nullptr));
            const LanguageResources resources(
                OpenLanguageLibrary(ToWide(ProgramFolder()) + language.library), u"");
            FixedChecks checks(level, resources);
            MainDialog dialog(module, resources, {checks, checks});
            ASSERT_TRUE(dialog.Create());
            ShowWindow(dialog.Window(), SW_SHOWNOACTIVATE);
            ExpectNoTextCut(dialog.Window());
            ExpectListCellsWhole(dialog.Results(), dialog.ResultRows());

            ICONINFO icon{};
            ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendDlgItemMessageW(
                                        dialog.Window(), IDC_SUMMARY_ICON, STM_GETICON, 0, 0)),
                                    &icon));
            BITMAP mask{};
            GetObjectW(icon.hbmMask, sizeof mask, &mask);
            DeleteObject(icon.hbmMask);
            DeleteObject(icon.hbmColor);
            EXPECT_EQ(mask.bmWidth, imageSize);

            // The logo, rendered for the DPI, within the dialog and above the list.
            BITMAP logo{};
            GetObjectW(reinterpret_cast<HBITMAP>(SendDlgItemMessageW(
                           dialog.Window(), IDC_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                       sizeof logo, &logo);
            EXPECT_EQ(logo.bmWidth, MulDiv(210, imageSize, 16));
            RECT logoRect{};
            GetWindowRect(GetDlgItem(dialog.Window(), IDC_LOGO), &logoRect);
            RECT listRect{};
            GetWindowRect(dialog.Results().Window(), &listRect);
            RECT client{};
            GetClientRect(dialog.Window(), &client);
            MapWindowPoints(dialog.Window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
            EXPECT_LE(logoRect.right, client.right);
            EXPECT_LE(logoRect.bottom, listRect.top);

            if (level == CheckLevel::Passed) {
                // The disc fills all but the top and bottom row of its image.
                const int disc = GreenDiscHeight(dialog.Results(), 0);
                EXPECT_GE(disc, imageSize - 4);
                EXPECT_LE(disc, imageSize);
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <dpi>\n", argv[0]);
        return 2;
    }
    g_dpi = std::atoi(argv[1]);
    return RUN_ALL_TESTS();
}
