// The rows of the results list: one ResultRow per check, in the order the
// checks ran until the user sorts them. The main dialog keeps them and the
// list shows them (the list's model, systest/ui/userlist/row_store.h).
#pragma once

#include "systest/ui/userlist/row_store.h"

#include <cstdint>
#include <string>
#include <vector>

struct ResultRow {
    int32_t image = kNoRowImage;  // into the status strip (result_images.h)
    std::u16string text;          // the check's description, sub-item 1
    std::u16string status;        // the status word, sub-item 0
};

class ResultRowStore final : public ListRowStore {
  public:
    // Sub-item 0 shows the status word with the status image, sub-item 1 the
    // description.
    static constexpr int32_t kStatusSubItem = 0;
    static constexpr int32_t kTextSubItem = 1;

    // Appends a row and returns its index; -1 only when memory runs out.
    int32_t Add(ResultRow row);

    int32_t ItemCount() const override { return static_cast<int32_t>(rows_.size()); }
    std::u16string ItemText(int32_t row, int32_t subItem) const override;
    int32_t ItemImage(int32_t row, int32_t subItem) const override;
    // The results list has no item tool tips.
    std::u16string ItemToolTip(int32_t) const override { return {}; }
    // The results are fixed: nothing an editor commits is kept.
    void SetItemValue(int32_t, int32_t, const std::u16string&) override {}
    // By UTF-16 code units, case-sensitive, independent of the locale; rows
    // with equal texts keep their order. Other sub-items leave the order alone.
    void SortItems(int32_t subItem, bool ascending) override;
    void ReverseItems() override;

  private:
    std::vector<ResultRow> rows_;  // in the order the list shows them
};
