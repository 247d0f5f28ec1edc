// Both dialogs at the screen DPI given on the command line, in English and in
// German: no text of a static control, a button or a results list cell is
// cut, and the list, the summary icon and the logo have the size drawn for
// that DPI. Runs in a Wine session of its own per DPI.
#include "common/win/resource_string.h"
#include "common/win/screen_dpi.h"
#include "common/win/window_text.h"
#include "systest/resources/resource.h"
#include "systest/resources/string_ids.h"
#include "systest/ui/agreement_dialog.h"
#include "systest/ui/main_dialog.h"
#include "systest/ui/userlist/list_visuals.h"
#include "systest/ui/userlist/tests/wine/list_fixture.h"
#include "systest/ui/userlist/title_tip_layout.h"
#include "systest/ui/userlist/user_list_class.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int g_dpi = 0;  // the session's, from the command line

struct Language {
    const wchar_t* library;
    const char* name;
};
const Language kLanguages[] = {{L"Lang_En.Dll", "English"}, {L"Lang_De.Dll", "German"}};

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

void ExpectNoTextCut(HWND dialog) {
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const std::string cut = CutText(control);
        EXPECT_TRUE(cut.empty()) << "control " << GetDlgCtrlID(control) << " "
                                 << testing::PrintToString(WindowText(control)) << ": " << cut;
    }
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
void ExpectListCellsWhole(const ResultsListCtrl& list) {
    const ListMetrics metrics = ListMetricsForDpi(ScreenDpi());
    const ListRowStore& rows = list.Store();
    const HWND window = list.Window();
    const int textHeight = TextExtent(window, L"Height", DT_SINGLELINE, 0).cy;
    for (int32_t row = 0; row < rows.ItemCount(); ++row) {
        for (int32_t column = 0; column < list.GetColumnCount(); ++column) {
            RECT rect{};
            ASSERT_TRUE(list.GetItemRect(row, column, rect)) << row << ", " << column;
            EXPECT_GE(rect.bottom - rect.top, std::max(textHeight, metrics.imageSize));
            const int32_t subItem = list.GetColumnSubItem(column);
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
int GreenDiscHeight(const ResultsListCtrl& list, int32_t row) {
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
    explicit FixedChecks(CheckLevel level, HMODULE strings) : level_(level), strings_(strings) {}

    OperatingSystemCheck CheckOperatingSystem() override {
        return {Row(IDS_OS_NEWER_WINDOWS), std::nullopt};
    }
    CheckResult CheckProcessor() override { return Row(IDS_CPU_PASSED); }
    CheckResult CheckMemory() override { return Row(IDS_MEMORY_WARNING); }
    CheckResult CheckDiskSpace() override { return {}; }
    CheckResult CheckScreen() override { return {}; }
    bool RunDiagnostic(CheckResult& diagnostic) override {
        diagnostic = Row(IDS_DIAGNOSTIC_UNFINISHED);
        return true;
    }
    CheckResult EvaluateAdapterMemory() override { return {}; }
    void EvaluateCardList(CheckResult& card, CheckResult& driver) override {
        card = Row(IDS_CARD_SWITCHABLE_SUPPORTED);
        driver = {};
    }
    CheckResult EvaluateAdaptersDiffer() override { return Row(IDS_ADAPTERS_DIFFER); }
    DiagnosticOutcome Diagnostic() const override { return {}; }

  private:
    CheckResult Row(int id) const {
        if (level_ == CheckLevel::NoResult) {
            return {};
        }
        const std::u16string row = LoadResourceString(strings_, id);
        return {level_, row, row};
    }

    CheckLevel level_;
    HMODULE strings_;
};

TEST(DpiLayout, TheSessionHasTheDpi) {
    EXPECT_EQ(ScreenDpi(), g_dpi);
}

TEST(DpiLayout, AgreementPageShowsEveryText) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.name);
        AppModule module(GetModuleHandleW(nullptr));
        module.AddResourceLibrary(UniqueLibrary(LoadLibraryW(language.library)));
        ASSERT_NE(module.LanguageLibrary(), nullptr);
        AgreementDialog page(module, u"Lic_En.Txt");
        ASSERT_TRUE(page.Create());
        ExpectNoTextCut(page.Window());
    }
}

TEST(DpiLayout, MainDialogShowsEveryTextAndImagesOfItsSize) {
    RegisterUserListClass(GetModuleHandleW(nullptr));
    const int32_t imageSize = ListMetricsForDpi(g_dpi).imageSize;
    for (const Language& language : kLanguages) {
        // Each verdict brings its own status word and summary text.
        for (const CheckLevel level :
             {CheckLevel::Failed, CheckLevel::Warning, CheckLevel::Passed, CheckLevel::NoResult}) {
            SCOPED_TRACE(std::string(language.name) + ", level " +
                         std::to_string(static_cast<int>(level)));
            AppModule module(GetModuleHandleW(nullptr));
            module.AddResourceLibrary(UniqueLibrary(LoadLibraryW(language.library)));
            ASSERT_NE(module.LanguageLibrary(), nullptr);
            FixedChecks checks(level, module.LanguageLibrary());
            MainDialog dialog(module, {checks, checks});
            ASSERT_TRUE(dialog.Create());
            ShowWindow(dialog.Window(), SW_SHOWNOACTIVATE);
            ExpectNoTextCut(dialog.Window());
            ExpectListCellsWhole(dialog.Results());

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
