// The list as screen readers see it: a list (ROLE_SYSTEM_LIST) with one list
// item per row, named by the row's cells as a sentence, and after the rows the
// header with a column header per column. The list answers WM_GETOBJECT with
// it; what belongs to the window itself (its parent, its place among its
// siblings, its own name and keyboard shortcut) comes from the window's
// standard object.
//
// The object lives as long as screen readers hold it; the list disconnects it
// when its window goes, and from then on every call fails with
// RPC_E_DISCONNECTED.
#pragma once

#include "common/win/accessible.h"

#include <cstdint>

class UserList;

// The child id of a row; the rows are children 1 to the row count, the header
// the child after them.
inline LONG RowChildId(int32_t row) {
    return row + 1;
}

class ListAccessible final : public WindowAccessible {
  public:
    // Null when the window's standard object cannot be made.
    static ComPtr<ListAccessible> Create(UserList& list);

    void Disconnect() override;
    // The list while its window lives, else null.
    UserList* List() const { return list_; }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

  private:
    ListAccessible(UserList& list, ComPtr<IAccessible> standard);

    // S_OK with the row of a row's child id, S_FALSE for the list itself,
    // E_INVALIDARG for any other child, RPC_E_DISCONNECTED once the list is gone.
    HRESULT FindRow(const VARIANT& child, int32_t& row) const;
    // The header's child id; 0 when the list shows no header.
    LONG HeaderChildId() const;
    // A new object for the header, as a child of this one.
    HRESULT NewHeader(IDispatch** header);
    HRESULT ReturnHeader(VARIANT* out);
    // For what rows have none of: the list's own answer, or DISP_E_MEMBERNOTFOUND.
    template <typename AskList>
    HRESULT ListOnly(const VARIANT& child, BSTR* out, AskList askList);

    UserList* list_;
};
