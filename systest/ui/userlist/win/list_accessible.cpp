#include "systest/ui/userlist/win/list_accessible.h"

#include "systest/ui/userlist/win/user_list.h"

#include "common/win/wide.h"

#include <algorithm>
#include <new>
#include <set>
#include <utility>
#include <vector>

namespace {

// S_OK with the index of children 1 to count, S_FALSE for CHILDID_SELF,
// E_INVALIDARG for anything else.
HRESULT FindChild(const VARIANT& child, LONG count, int32_t& index) {
    if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > count) {
        return E_INVALIDARG;
    }
    if (child.lVal == CHILDID_SELF) {
        return S_FALSE;
    }
    index = child.lVal - 1;
    return S_OK;
}

// A child id, a role or a state.
HRESULT ReturnLong(LONG value, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

HRESULT ReturnNothing(VARIANT* out) {
    VariantInit(out);
    return S_FALSE;
}

// A rectangle of the window's client area, on the screen.
HRESULT ReturnLocation(HWND window, RECT rect, LONG* left, LONG* top, LONG* width, LONG* height) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

POINT ScreenToClientPoint(HWND window, LONG x, LONG y) {
    POINT point{x, y};
    ScreenToClient(window, &point);
    return point;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"  // see common/win/accessible.h

// The selected rows, when there are several, as get_accSelection hands them out.
class ChildIdEnumerator final : public IEnumVARIANT {
  public:
    explicit ChildIdEnumerator(std::vector<LONG> ids, size_t position = 0)
        : ids_(std::move(ids)), position_(position) {}
    ChildIdEnumerator(const ChildIdEnumerator&) = delete;
    ChildIdEnumerator& operator=(const ChildIdEnumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == __uuidof(IEnumVARIANT) || iid == __uuidof(IUnknown)) {
            *object = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (items == nullptr) {
            return E_POINTER;
        }
        ULONG done = 0;
        for (; done < count && position_ < ids_.size(); ++done) {
            ReturnLong(ids_[position_++], &items[done]);
        }
        if (fetched != nullptr) {
            *fetched = done;
        }
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = ids_.size() - position_;
        position_ += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = new (std::nothrow) ChildIdEnumerator(ids_, position_);
        return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
    }

  private:
    ~ChildIdEnumerator() = default;

    LONG references_ = 1;
    std::vector<LONG> ids_;
    size_t position_;
};

#pragma GCC diagnostic pop

// The header row: a list of column headers (as the system's header control
// shows itself), children 1 to the column count. A click on a column header,
// its default action, sorts by the column.
class ListHeaderAccessible final : public AccessibleObject {
  public:
    explicit ListHeaderAccessible(ComPtr<ListAccessible> list) : list_(std::move(list)) {}

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) {
            return E_POINTER;
        }
        return list_->QueryInterface(__uuidof(IDispatch), reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        UserList* list = list_->List();
        if (list == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        *count = list->GetColumnCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        return found == S_OK ? S_FALSE : (found == S_FALSE ? E_INVALIDARG : found);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) {
            return E_POINTER;
        }
        *name = nullptr;
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        ListColumn record;
        if (found != S_OK || !list_->List()->GetColumn(column, record)) {
            return found;
        }
        return ReturnString(ToWide(record.title), name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Nothing(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Nothing(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr) {
            return E_POINTER;
        }
        VariantInit(role);
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        if (FAILED(found)) {
            return found;
        }
        return ReturnLong(found == S_OK ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_LIST, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (state == nullptr) {
            return E_POINTER;
        }
        VariantInit(state);
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        if (FAILED(found)) {
            return found;
        }
        LONG bits = 0;
        if (found == S_OK) {
            const UserList& list = *list_->List();
            RECT cell{};
            RECT client{};
            list.GetColumnRect(column, cell);
            GetClientRect(list.Window(), &client);
            bits = STATE_SYSTEM_READONLY;
            if (list.GetColumnWidth(column) == 0) {
                bits |= STATE_SYSTEM_INVISIBLE;
            } else if (cell.right <= client.left || cell.left >= client.right) {
                bits |= STATE_SYSTEM_OFFSCREEN;
            }
        }
        return ReturnLong(bits, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return Nothing(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        if (topic != nullptr) {
            *topic = 0;
        }
        return Nothing(child, file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Nothing(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return child != nullptr ? ReturnNothing(child) : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return children != nullptr ? ReturnNothing(children) : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (action == nullptr) {
            return E_POINTER;
        }
        *action = nullptr;
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        if (found != S_OK || !Sorts()) {
            return FAILED(found) ? found : S_FALSE;
        }
        return ReturnString(L"Click", action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT child) override {
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        return FAILED(found) ? found : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        if (FAILED(found)) {
            return found;
        }
        const UserList& list = *list_->List();
        RECT rect = HeaderRect(list);
        if (found == S_OK) {
            list.GetColumnRect(column, rect);
        }
        return ReturnLocation(list.Window(), rect, left, top, width, height);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (end == nullptr) {
            return E_POINTER;
        }
        VariantInit(end);
        int32_t column = -1;
        const HRESULT found = FindColumn(start, column);
        if (FAILED(found)) {
            return found;
        }
        const LONG count = list_->List()->GetColumnCount();
        if (found == S_FALSE) {
            // Its siblings are the rows, which only the list can name.
            if (direction == NAVDIR_FIRSTCHILD && count > 0) {
                return ReturnLong(1, end);
            }
            if (direction == NAVDIR_LASTCHILD && count > 0) {
                return ReturnLong(count, end);
            }
            return S_FALSE;
        }
        switch (direction) {
            case NAVDIR_NEXT:
            case NAVDIR_RIGHT:
                return column + 1 < count ? ReturnLong(column + 2, end) : S_FALSE;
            case NAVDIR_PREVIOUS:
            case NAVDIR_LEFT:
                return column > 0 ? ReturnLong(column, end) : S_FALSE;
            case NAVDIR_UP:
            case NAVDIR_DOWN:
                return S_FALSE;
            default:
                return E_INVALIDARG;
        }
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (child == nullptr) {
            return E_POINTER;
        }
        VariantInit(child);
        const UserList* list = list_->List();
        if (list == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        const POINT point = ScreenToClientPoint(list->Window(), x, y);
        int32_t column = -1;
        uint32_t flags = 0;
        if (list->HitTestHeader(point.x, point.y, column, flags)) {
            return ReturnLong(column + 1, child);
        }
        const RECT header = HeaderRect(*list);
        return PtInRect(&header, point) ? ReturnLong(CHILDID_SELF, child) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        if (found != S_OK) {
            return FAILED(found) ? found : DISP_E_MEMBERNOTFOUND;
        }
        return list_->List()->SortColumn(column) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }

  private:
    ~ListHeaderAccessible() override = default;

    // S_OK with the column of a column's child id, S_FALSE for the header
    // itself, E_INVALIDARG for any other child, RPC_E_DISCONNECTED once the
    // list is gone.
    HRESULT FindColumn(const VARIANT& child, int32_t& column) const {
        const UserList* list = list_->List();
        return list != nullptr ? FindChild(child, list->GetColumnCount(), column)
                               : RPC_E_DISCONNECTED;
    }
    // Headers have no value, description, help or shortcut key.
    HRESULT Nothing(const VARIANT& child, BSTR* out) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        int32_t column = -1;
        const HRESULT found = FindColumn(child, column);
        return FAILED(found) ? found : S_FALSE;
    }
    bool Sorts() const {
        const ListOptions& options = list_->List()->Options();
        return options.showHeader && options.sortEnabled;
    }
    // The header row across the client area.
    static RECT HeaderRect(const UserList& list) {
        RECT rect{};
        GetClientRect(list.Window(), &rect);
        RECT first{};
        rect.bottom = list.GetColumnRect(0, first) ? first.bottom : 0;
        return rect;
    }

    ComPtr<ListAccessible> list_;
};

}  // namespace

ComPtr<ListAccessible> ListAccessible::Create(UserList& list) {
    ComPtr<ListAccessible> accessible;
    if (ComPtr<IAccessible> standard = StandardClientObject(list.Window())) {
        accessible.reset(new (std::nothrow) ListAccessible(list, std::move(standard)));
    }
    return accessible;
}

ListAccessible::ListAccessible(UserList& list, ComPtr<IAccessible> standard)
    : WindowAccessible(list.Window(), std::move(standard)), list_(&list) {}

void ListAccessible::Disconnect() {
    list_ = nullptr;
    WindowAccessible::Disconnect();
}

HRESULT ListAccessible::FindRow(const VARIANT& child, int32_t& row) const {
    return list_ != nullptr ? FindChild(child, list_->GetItemCount(), row) : RPC_E_DISCONNECTED;
}

LONG ListAccessible::HeaderChildId() const {
    return list_->Options().showHeader ? RowChildId(list_->GetItemCount()) : 0;
}

HRESULT ListAccessible::NewHeader(IDispatch** header) {
    AddRef();
    ComPtr<ListAccessible> self;
    self.reset(this);
    *header = new (std::nothrow) ListHeaderAccessible(std::move(self));
    return *header != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ListAccessible::ReturnHeader(VARIANT* out) {
    IDispatch* header = nullptr;
    const HRESULT made = NewHeader(&header);
    if (FAILED(made)) {
        return made;
    }
    out->vt = VT_DISPATCH;
    out->pdispVal = header;
    return S_OK;
}

template <typename AskList>
HRESULT ListAccessible::ListOnly(const VARIANT& child, BSTR* out, AskList askList) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    if (found == S_FALSE) {
        return askList();
    }
    return FAILED(found) ? found : S_FALSE;
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accChildCount(LONG* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    if (list_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    *count = list_->GetItemCount() + (HeaderChildId() != 0 ? 1 : 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (list_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (child.vt == VT_I4 && child.lVal != 0 && child.lVal == HeaderChildId()) {
        return NewHeader(object);
    }
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    return found == S_OK ? S_FALSE : E_INVALIDARG;  // rows are simple elements
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    if (found == S_OK) {
        return ReturnString(ToWide(list_->GetItemSentence(row)), name);
    }
    if (found != S_FALSE) {
        return found;
    }
    // The window's own text; without one, the label before it in its dialog.
    const HRESULT own = WindowAccessible::get_accName(child, name);
    if (FAILED(own) || (*name != nullptr && SysStringLen(*name) > 0)) {
        return own;
    }
    SysFreeString(*name);
    *name = nullptr;
    const std::wstring label = ControlLabel(Window());
    return label.empty() ? S_FALSE : ReturnString(label, name);
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accValue(VARIANT child, BSTR* value) {
    return ListOnly(child, value, [&] { return WindowAccessible::get_accValue(child, value); });
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return ListOnly(child, description,
                    [&] { return WindowAccessible::get_accDescription(child, description); });
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr) {
        return E_POINTER;
    }
    VariantInit(role);
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    if (FAILED(found)) {
        return found;
    }
    return ReturnLong(found == S_OK ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST, role);
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    VariantInit(state);
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    if (found == S_FALSE) {
        const HRESULT own = WindowAccessible::get_accState(child, state);
        if (SUCCEEDED(own) && state->vt == VT_I4 && !list_->Options().singleSelect) {
            state->lVal |= STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE;
        }
        return own;
    }
    if (FAILED(found)) {
        return found;
    }
    LONG bits = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (list_->IsSelected(row)) {
        bits |= STATE_SYSTEM_SELECTED;
    }
    int32_t focusRow = -1;
    int32_t focusColumn = -1;
    if (GetFocus() == Window() && list_->GetFocusItem(focusRow, focusColumn) && focusRow == row) {
        bits |= STATE_SYSTEM_FOCUSED;
    }
    if (!list_->IsItemVisible(row, -1, true)) {
        bits |= STATE_SYSTEM_OFFSCREEN;
    }
    return ReturnLong(bits, state);
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return ListOnly(child, help, [&] { return WindowAccessible::get_accHelp(child, help); });
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    if (topic != nullptr) {
        *topic = 0;
    }
    return ListOnly(child, file,
                    [&] { return WindowAccessible::get_accHelpTopic(file, child, topic); });
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return ListOnly(child, shortcut,
                    [&] { return WindowAccessible::get_accKeyboardShortcut(child, shortcut); });
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accFocus(VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    if (list_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(Window(), focus)) {
        return WindowAccessible::get_accFocus(child);  // an in-place editor
    }
    if (focus != Window()) {
        return S_FALSE;
    }
    int32_t row = -1;
    int32_t column = -1;
    return ReturnLong(list_->GetFocusItem(row, column) ? RowChildId(row) : CHILDID_SELF, child);
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accSelection(VARIANT* children) {
    if (children == nullptr) {
        return E_POINTER;
    }
    VariantInit(children);
    if (list_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const std::set<int32_t>& rows = list_->Selection().Rows();
    if (rows.empty()) {
        return S_FALSE;
    }
    if (rows.size() == 1) {
        return ReturnLong(RowChildId(*rows.begin()), children);
    }
    std::vector<LONG> ids;
    for (int32_t row : rows) {
        ids.push_back(RowChildId(row));
    }
    auto* enumerator = new (std::nothrow) ChildIdEnumerator(std::move(ids));
    if (enumerator == nullptr) {
        return E_OUTOFMEMORY;
    }
    children->vt = VT_UNKNOWN;
    children->punkVal = enumerator;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ListAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action == nullptr) {
        return E_POINTER;
    }
    *action = nullptr;
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    if (found == S_FALSE) {
        return WindowAccessible::get_accDefaultAction(child, action);
    }
    if (FAILED(found)) {
        return found;
    }
    const std::wstring name = list_->GetItemActionName(row);
    return name.empty() ? S_FALSE : ReturnString(name, action);
}

HRESULT STDMETHODCALLTYPE ListAccessible::accSelect(LONG flags, VARIANT child) {
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    if (found == S_FALSE) {
        return WindowAccessible::accSelect(flags, child);
    }
    if (FAILED(found)) {
        return found;
    }
    if ((flags & ~SELFLAG_VALID) != 0 ||
        !list_->SelectForScreenReader(row, static_cast<uint32_t>(flags))) {
        return E_INVALIDARG;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ListAccessible::accLocation(LONG* left, LONG* top, LONG* width,
                                                      LONG* height, VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    if (found == S_FALSE) {
        return WindowAccessible::accLocation(left, top, width, height, child);
    }
    RECT rect{};
    if (FAILED(found) || !list_->GetRowRect(row, rect)) {
        return FAILED(found) ? found : E_INVALIDARG;
    }
    return ReturnLocation(Window(), rect, left, top, width, height);
}

HRESULT STDMETHODCALLTYPE ListAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (end == nullptr) {
        return E_POINTER;
    }
    VariantInit(end);
    int32_t row = -1;
    const HRESULT found = FindRow(start, row);
    if (FAILED(found)) {
        return found;
    }
    const int32_t count = list_->GetItemCount();
    const bool header = HeaderChildId() != 0;
    if (found == S_FALSE) {
        // The rows first, the header after them.
        if (direction == NAVDIR_FIRSTCHILD) {
            return count > 0 ? ReturnLong(RowChildId(0), end)
                             : (header ? ReturnHeader(end) : S_FALSE);
        }
        if (direction == NAVDIR_LASTCHILD) {
            return header ? ReturnHeader(end)
                          : (count > 0 ? ReturnLong(RowChildId(count - 1), end) : S_FALSE);
        }
        return WindowAccessible::accNavigate(direction, start, end);
    }
    switch (direction) {
        case NAVDIR_NEXT:
            if (row + 1 < count) {
                return ReturnLong(RowChildId(row + 1), end);
            }
            return header ? ReturnHeader(end) : S_FALSE;
        case NAVDIR_DOWN:
            return row + 1 < count ? ReturnLong(RowChildId(row + 1), end) : S_FALSE;
        case NAVDIR_PREVIOUS:
            return row > 0 ? ReturnLong(RowChildId(row - 1), end) : S_FALSE;
        case NAVDIR_UP:
            // Above the first row lies the header.
            if (row > 0) {
                return ReturnLong(RowChildId(row - 1), end);
            }
            return header ? ReturnHeader(end) : S_FALSE;
        case NAVDIR_LEFT:
        case NAVDIR_RIGHT:
            return S_FALSE;
        default:
            return E_INVALIDARG;  // rows have no children
    }
}

HRESULT STDMETHODCALLTYPE ListAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    if (list_ == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const POINT point = ScreenToClientPoint(Window(), x, y);
    RECT client{};
    GetClientRect(Window(), &client);
    if (!PtInRect(&client, point)) {
        return S_FALSE;
    }
    const HWND below = ChildWindowFromPointEx(Window(), point, CWP_SKIPINVISIBLE);
    if (below != nullptr && below != Window()) {
        return WindowAccessible::accHitTest(x, y, child);  // an in-place editor
    }
    int32_t row = -1;
    int32_t column = -1;
    uint32_t flags = 0;
    if (HeaderChildId() != 0 && list_->HitTestHeader(point.x, point.y, column, flags)) {
        return ReturnHeader(child);
    }
    if (list_->HitTest(point.x, point.y, row, column)) {
        return ReturnLong(RowChildId(row), child);
    }
    return ReturnLong(CHILDID_SELF, child);
}

HRESULT STDMETHODCALLTYPE ListAccessible::accDoDefaultAction(VARIANT child) {
    int32_t row = -1;
    const HRESULT found = FindRow(child, row);
    if (found == S_FALSE) {
        return WindowAccessible::accDoDefaultAction(child);
    }
    if (FAILED(found)) {
        return found;
    }
    return list_->DoItemAction(row) ? S_OK : DISP_E_MEMBERNOTFOUND;
}
