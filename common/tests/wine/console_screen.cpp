#include "common/tests/wine/console_screen.h"

UniqueFileHandle NewConsoleScreen(SHORT columns, SHORT rows) {
    FreeConsole();
    if (!AllocConsole()) {
        return UniqueFileHandle();
    }
    UniqueFileHandle screen(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (screen && !SetConsoleScreenBufferSize(screen.get(), {columns, rows})) {
        screen.reset();
    }
    return screen;
}

std::vector<std::wstring> ConsoleRows(HANDLE screen) {
    std::vector<std::wstring> rows;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen, &info);
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
        std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, row.data(), info.dwSize.X, {0, y}, &read);
        row.erase(row.find_last_not_of(L' ') + 1);
        rows.push_back(row);
    }
    if (!rows.empty() && rows.back().empty()) {
        rows.pop_back();
    }
    return rows;
}
