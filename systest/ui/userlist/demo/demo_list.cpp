#include "systest/ui/userlist/demo/demo_list.h"

#include "common/text.h"
#include "systest/ui/userlist/win/list_resources.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

struct DemoColumnKind {
    const char16_t* title;
    int32_t width;
    int32_t format;
    uint32_t flags;
    int32_t image;
};

constexpr DemoColumnKind kColumns[DemoColumnCount] = {
    {u"Name", 165, FormatText, 0, -1},
    {u"Comment", 140, FormatEdit, 0, -1},
    {u"Quantity", 70, FormatEdit, Integer | AllowNegative | AllowCompare, -1},
    {u"Due", 85, FormatDate, DateOnly | DateAllowNone, -1},
    {u"Time", 90, FormatDate, TimeOnly, -1},
    {u"Material", 80, FormatChoice, 0, -1},
    {u"Done", 45, FormatCheck, AlignCenter, -1},
    {u"Review", 55, FormatTriState, AlignCenter, -1},
    {u"Drawing", 85, FormatLink, 0, -1},
    {u"Progress", 100, FormatProgress, 0, -1},
    {u"Ref", 60, FormatText, ReadOnly, kListImagePadlock},
    {u"Cut-off", 70, FormatCutOff, 0, -1},
    {u"Hidden", 80, FormatText, 0, -1},
};

constexpr std::array<const char16_t*, 8> kParts = {
    u"Bearing housing", u"Drive shaft",    u"Flange",      u"Gear wheel",
    u"Mounting plate",  u"Pressure valve", u"Spacer ring", u"Hydraulic cylinder mounting bracket",
};
constexpr std::array<const char16_t*, 4> kMaterials = {u"Steel", u"Aluminium", u"Brass",
                                                       u"Polyamide"};
constexpr std::array<const char16_t*, 3> kComments = {
    u"", u"Check tolerances", u"Surface finish to be agreed with the supplier before release"};

// The demonstration's texts are ASCII: printf-formatted, then widened.
__attribute__((format(printf, 1, 2))) std::u16string Printf(const char* format, ...) {
    char text[64];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return Utf16FromAscii(text);
}

std::u16string Number(int32_t value) {
    return Printf("%d", value);
}

TextRow DemoRow(int32_t i) {
    const int32_t part = i % static_cast<int32_t>(kParts.size());
    std::vector<std::u16string> cells(DemoColumnCount);
    cells[DemoName] = kParts[static_cast<size_t>(part)] + Printf(" %02d", i + 1);
    cells[DemoComment] = kComments[static_cast<size_t>(i) % kComments.size()];
    cells[DemoQuantity] = Number((i * 7) % 40 - 5);
    // Every fifth row has no due date yet.
    cells[DemoDue] = i % 5 == 4 ? u"" : Printf("2012%02d%02d000000", 1 + i % 12, 1 + i % 28);
    cells[DemoTime] = Printf("00000000%02d%02d00", 7 + i % 11, (i * 15) % 60);
    cells[DemoChoice] = kMaterials[static_cast<size_t>(i) % kMaterials.size()];
    cells[DemoDone] = i % 3 == 0 ? u"1" : u"0";
    cells[DemoReview] = Number(i % 3 - 1);
    cells[DemoLink] = Printf("DWG-%04d", 1000 + i * 13);
    cells[DemoProgress] = Number((i * 17) % 101);
    cells[DemoLocked] = Printf("R-%03d", 100 + i);
    cells[DemoCutOff] = u"never painted in the rows";
    cells[DemoHidden] = u"never painted either";
    const int32_t images[] = {kListImageGreenTick, kListImagePaperClip, kListImageRedCross,
                              kNoRowImage};
    std::u16string toolTip;
    if (i % 6 == 1) {
        toolTip = cells[DemoName] + u": drawing " + cells[DemoLink];
    }
    return TextRow(std::move(cells), images[i % 4], std::move(toolTip));
}

}  // namespace

void FillDemoList(UserList& list, TextRowStore& rows) {
    list.SetRowImages(GetModuleHandleW(nullptr), kListImageBitmaps);
    for (const DemoColumnKind& kind : kColumns) {
        ListColumn column;
        column.title = kind.title;
        column.width = kind.width;
        column.format = kind.format;
        column.flags = kind.flags;
        column.image = kind.image;
        if (kind.format == FormatChoice) {
            column.choices.assign(kMaterials.begin(), kMaterials.end());
        }
        list.AddColumn(column);
    }
    for (int32_t i = 0; i < kDemoRowCount; ++i) {
        rows.Add(DemoRow(i));
    }
    list.RowsAdded();
}
