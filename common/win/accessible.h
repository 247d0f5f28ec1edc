// Accessible objects for screen readers (Microsoft Active Accessibility), for
// windows that answer WM_GETOBJECT themselves.
//
// AccessibleObject is the COM side every such object shares: reference
// counting and IDispatch without type information (clients call the
// IAccessible methods directly). WindowAccessible answers every IAccessible
// call from the window's standard object (CreateStdAccessibleObject), so a
// derived class overrides only what it knows better. Once its window goes,
// Disconnect makes every call fail with RPC_E_DISCONNECTED: a screen reader
// in another process may hold the object long after the window.
#pragma once

#include "common/win/com.h"
#include "common/win/window_object.h"

#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>

// COM objects go through Release, never through a pointer to their interface,
// so the interfaces' destructors need not be virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class AccessibleObject : public IAccessible {
  public:
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // IUnknown: IAccessible, IDispatch and IUnknown itself.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, without type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    // Names and values are not set from outside.
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  protected:
    AccessibleObject() = default;
    virtual ~AccessibleObject() = default;

  private:
    LONG references_ = 1;  // the creator's
};

class WindowAccessible : public AccessibleObject {
  public:
    // Every later call fails with RPC_E_DISCONNECTED, and the window is not
    // touched again. Called when the window is destroyed.
    virtual void Disconnect();

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
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

  protected:
    // Takes over the standard object of the window's client area.
    WindowAccessible(HWND window, ComPtr<IAccessible> standard);

    HWND Window() const { return window_; }
    bool Connected() const { return static_cast<bool>(standard_); }

  private:
    template <typename Method, typename... Arguments>
    HRESULT AskStandard(Method method, Arguments... arguments) const {
        return standard_ ? (standard_.get()->*method)(arguments...) : RPC_E_DISCONNECTED;
    }

    HWND window_;
    ComPtr<IAccessible> standard_;  // null once disconnected
};

#pragma GCC diagnostic pop

// The standard object of a window's client area, or null.
ComPtr<IAccessible> StandardClientObject(HWND window);

// Whether WM_GETOBJECT asks for the client area: lParam is compared as a
// DWORD, as 64-bit callers may pass OBJID_CLIENT zero-extended.
bool AsksForClient(LPARAM objectId);

// The answer to WM_GETOBJECT with the object; false when it cannot be handed
// over, and the window's default answer should be given instead.
bool AnswerGetObject(IAccessible& object, WPARAM flags, LRESULT& result);

// The text that labels a control in a dialog: the nearest text static
// control before it among its siblings, passing over pictures but not over
// another control the user can reach with Tab. Mnemonic ampersands are
// removed. Empty when there is none.
std::wstring ControlLabel(HWND control);

// A name of a string, for a BSTR out-parameter: S_OK, or E_OUTOFMEMORY.
HRESULT ReturnString(const std::wstring& text, BSTR* out);

// Gives a window without text of its own, such as a static picture, a name
// for screen readers: binds to the window and answers WM_GETOBJECT with its
// standard object under that name.
class AccessibleName final : public SubclassedWindow {
  public:
    AccessibleName();
    ~AccessibleName() override;

    bool Attach(HWND window, std::wstring name);

  private:
    class Object;

    MessageTable<SubclassedWindow> Messages() const override;

    std::optional<LRESULT> OnGetObject(WPARAM flags, LONG objectId);
    void Disconnect();

    std::wstring name_;
    ComPtr<Object> object_;
};

// Tells screen readers the line under a list box's caret whenever the list box
// gets the focus or the keyboard or mouse moves the caret. A list box without
// selection (LBS_NOSEL) moves its caret but selects nothing, and may then say
// nothing of the lines a keyboard user walks through.
class ListBoxCaretEvents final : public SubclassedWindow {
  private:
    MessageTable<SubclassedWindow> Messages() const override;

    // The list box moves its caret (previous procedure), then the line under
    // it is told.
    LRESULT OnCaretMove(const WindowMessage& message);
};
