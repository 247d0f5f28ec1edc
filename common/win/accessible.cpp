#include "common/win/accessible.h"

#include "common/win/library_loading.h"
#include "common/win/window_text.h"

#include <new>
#include <utility>

namespace {

// oleacc.dll is no KnownDLL, so the programs do not import it: it is loaded
// from the system folder when a screen reader first asks a window of ours for
// its object, and stays for the objects it has made.
struct OleaccFunctions {
    UniqueLibrary library;  // first: the functions below lie in it
    WinApiFunction<HRESULT(HWND, LONG, REFIID, void**)> createStdAccessibleObject =
        LibraryFunction<HRESULT(HWND, LONG, REFIID, void**)>(library.get(),
                                                             "CreateStdAccessibleObject");
    WinApiFunction<LRESULT(REFIID, WPARAM, LPUNKNOWN)> lresultFromObject =
        LibraryFunction<LRESULT(REFIID, WPARAM, LPUNKNOWN)>(library.get(), "LresultFromObject");
};

const OleaccFunctions& Oleacc() {
    static const OleaccFunctions functions{LoadSystemLibrary(L"oleacc.dll")};
    return functions;
}

}  // namespace

// AccessibleObject

HRESULT STDMETHODCALLTYPE AccessibleObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == __uuidof(IAccessible) || iid == __uuidof(IDispatch) || iid == __uuidof(IUnknown)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AccessibleObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                                   VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE AccessibleObject::put_accName(VARIANT, BSTR) {
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE AccessibleObject::put_accValue(VARIANT, BSTR) {
    return DISP_E_MEMBERNOTFOUND;
}

// WindowAccessible: each call goes to the standard object while it is there.

WindowAccessible::WindowAccessible(HWND window, ComPtr<IAccessible> standard)
    : window_(window), standard_(std::move(standard)) {}

void WindowAccessible::Disconnect() {
    standard_.reset();
    window_ = nullptr;
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accParent(IDispatch** parent) {
    return AskStandard(&IAccessible::get_accParent, parent);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accChildCount(LONG* count) {
    return AskStandard(&IAccessible::get_accChildCount, count);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return AskStandard(&IAccessible::get_accChild, child, object);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accName(VARIANT child, BSTR* name) {
    return AskStandard(&IAccessible::get_accName, child, name);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accValue(VARIANT child, BSTR* value) {
    return AskStandard(&IAccessible::get_accValue, child, value);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return AskStandard(&IAccessible::get_accDescription, child, description);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return AskStandard(&IAccessible::get_accRole, child, role);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accState(VARIANT child, VARIANT* state) {
    return AskStandard(&IAccessible::get_accState, child, state);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return AskStandard(&IAccessible::get_accHelp, child, help);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accHelpTopic(BSTR* file, VARIANT child,
                                                             LONG* topic) {
    return AskStandard(&IAccessible::get_accHelpTopic, file, child, topic);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return AskStandard(&IAccessible::get_accKeyboardShortcut, child, shortcut);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accFocus(VARIANT* child) {
    return AskStandard(&IAccessible::get_accFocus, child);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accSelection(VARIANT* children) {
    return AskStandard(&IAccessible::get_accSelection, children);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return AskStandard(&IAccessible::get_accDefaultAction, child, action);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::accSelect(LONG flags, VARIANT child) {
    return AskStandard(&IAccessible::accSelect, flags, child);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::accLocation(LONG* left, LONG* top, LONG* width,
                                                        LONG* height, VARIANT child) {
    return AskStandard(&IAccessible::accLocation, left, top, width, height, child);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::accNavigate(LONG direction, VARIANT start,
                                                        VARIANT* end) {
    return AskStandard(&IAccessible::accNavigate, direction, start, end);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    return AskStandard(&IAccessible::accHitTest, x, y, child);
}

HRESULT STDMETHODCALLTYPE WindowAccessible::accDoDefaultAction(VARIANT child) {
    return AskStandard(&IAccessible::accDoDefaultAction, child);
}

// Helpers.

ComPtr<IAccessible> StandardClientObject(HWND window) {
    ComPtr<IAccessible> standard;
    const auto create = Oleacc().createStdAccessibleObject;
    if (create == nullptr ||
        FAILED(create(window, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void()))) {
        standard.reset();
    }
    return standard;
}

bool AsksForClient(LPARAM objectId) {
    return static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_CLIENT);
}

bool AnswerGetObject(IAccessible& object, WPARAM flags, LRESULT& result) {
    const auto lresultFromObject = Oleacc().lresultFromObject;
    if (lresultFromObject == nullptr) {
        return false;
    }
    const LRESULT reference = lresultFromObject(__uuidof(IAccessible), flags, &object);
    if (reference <= 0) {
        return false;  // for example COM not initialized on this thread
    }
    result = reference;
    return true;
}

namespace {

bool IsTextStatic(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpiW(className, L"Static") != 0) {
        return false;
    }
    switch (GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            return true;
        default:
            return false;
    }
}

bool IsStatic(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpiW(className, L"Static") == 0;
}

// "&Name" reads "Name"; "&&" stands for one ampersand.
std::wstring WithoutMnemonic(const std::wstring& text) {
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        plain += text[i];
    }
    return plain;
}

}  // namespace

std::wstring ControlLabel(HWND control) {
    for (HWND sibling = GetWindow(control, GW_HWNDPREV); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDPREV)) {
        if (!IsWindowVisible(sibling)) {
            continue;
        }
        if (IsTextStatic(sibling)) {
            const std::wstring text = WindowText(sibling);
            return (GetWindowLongW(sibling, GWL_STYLE) & SS_NOPREFIX) ? text
                                                                      : WithoutMnemonic(text);
        }
        if (!IsStatic(sibling) && (GetWindowLongW(sibling, GWL_STYLE) & WS_TABSTOP)) {
            return {};  // a text before it would be that control's label
        }
    }
    return {};
}

HRESULT ReturnString(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// AccessibleName

class AccessibleName::Object final : public WindowAccessible {
  public:
    Object(HWND window, ComPtr<IAccessible> standard, const std::wstring& name)
        : WindowAccessible(window, std::move(standard)), name_(name) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) {
            return E_POINTER;
        }
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF && Connected()) {
            return ReturnString(name_, name);
        }
        return WindowAccessible::get_accName(child, name);
    }

  private:
    std::wstring name_;
};

AccessibleName::AccessibleName() = default;

AccessibleName::~AccessibleName() {
    Disconnect();
    Detach();
}

bool AccessibleName::Attach(HWND window, std::wstring name) {
    name_ = std::move(name);
    return SubclassedWindow::Attach(window);
}

void AccessibleName::Disconnect() {
    if (object_) {
        object_->Disconnect();
        object_.reset();
    }
}

MessageTable<SubclassedWindow> AccessibleName::Messages() const {
    static constexpr MessageRow<SubclassedWindow> kMessages[] = {
        Handle<WM_GETOBJECT, &AccessibleName::OnGetObject>(),
        Observe<WM_DESTROY, &AccessibleName::Disconnect>(),
    };
    return kMessages;
}

std::optional<LRESULT> AccessibleName::OnGetObject(WPARAM flags, LONG objectId) {
    if (!AsksForClient(objectId)) {
        return std::nullopt;
    }
    if (!object_) {
        if (ComPtr<IAccessible> standard = StandardClientObject(Window())) {
            object_.reset(new (std::nothrow) Object(Window(), std::move(standard), name_));
        }
    }
    LRESULT result = 0;
    if (!object_ || !AnswerGetObject(*object_.get(), flags, result)) {
        return std::nullopt;
    }
    return result;
}

// ListBoxCaretEvents

MessageTable<SubclassedWindow> ListBoxCaretEvents::Messages() const {
    static constexpr MessageRow<SubclassedWindow> kMessages[] = {
        HandleAsItCame<WM_SETFOCUS, &ListBoxCaretEvents::OnCaretMove>(),
        HandleAsItCame<WM_KEYDOWN, &ListBoxCaretEvents::OnCaretMove>(),
        HandleAsItCame<WM_CHAR, &ListBoxCaretEvents::OnCaretMove>(),
        HandleAsItCame<WM_LBUTTONDOWN, &ListBoxCaretEvents::OnCaretMove>(),
    };
    return kMessages;
}

LRESULT ListBoxCaretEvents::OnCaretMove(const WindowMessage& message) {
    const LRESULT before = SendMessageW(Window(), LB_GETCARETINDEX, 0, 0);
    const LRESULT result = CallPrevious();
    const LRESULT caret = SendMessageW(Window(), LB_GETCARETINDEX, 0, 0);
    const LRESULT count = SendMessageW(Window(), LB_GETCOUNT, 0, 0);
    // A moving key that leaves the caret where it is (the first arrow in the
    // list, or one at its end) reads the line again.
    const bool movingKey =
        message.id == WM_KEYDOWN && message.wParam >= VK_PRIOR && message.wParam <= VK_DOWN;
    if (GetFocus() == Window() && caret >= 0 && caret < count &&
        (message.id == WM_SETFOCUS || movingKey || caret != before)) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, Window(), OBJID_CLIENT, static_cast<LONG>(caret) + 1);
    }
    return result;
}
