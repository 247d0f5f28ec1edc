// The control of the planting test: a program that imports oleacc.dll, as
// QuarvelSysTest.exe once did. A planted oleacc.dll beside it runs before main.
#include <windows.h>

#include <oleacc.h>

int main(int argc, char**) {
    // Never called; it keeps the import.
    return argc > 99 ? static_cast<int>(LresultFromObject(IID_IUnknown, 0, nullptr)) : 0;
}
