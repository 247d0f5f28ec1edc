// The control of the planting test: a program that imports oleacc.dll, as
// QuarvelSysTest.exe once did, and comctl32.dll without a manifest that names
// its version 6. A planted oleacc.dll beside it runs before main.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

int main(int argc, char**) {
    // Never called; they keep the imports.
    if (argc > 99) {
        InitCommonControls();
        return static_cast<int>(LresultFromObject(IID_IUnknown, 0, nullptr));
    }
    return 0;
}
