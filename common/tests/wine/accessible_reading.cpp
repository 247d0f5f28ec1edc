#include "common/tests/wine/accessible_reading.h"

VARIANT ChildId(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

ComPtr<IAccessible> AccessibleOf(HWND window) {
    ComPtr<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          object.put_void()))) {
        object.reset();
    }
    return object;
}

std::wstring NameOf(IAccessible& object, LONG child) {
    BSTR name = nullptr;
    if (FAILED(object.get_accName(ChildId(child), &name)) || name == nullptr) {
        return L"<none>";
    }
    std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

LONG RoleOf(IAccessible& object, LONG child) {
    UniqueVariant role;
    return SUCCEEDED(object.get_accRole(ChildId(child), role.put())) ? role.get().lVal : -1;
}

LONG StateOf(IAccessible& object, LONG child) {
    UniqueVariant state;
    return SUCCEEDED(object.get_accState(ChildId(child), state.put())) ? state.get().lVal : -1;
}
