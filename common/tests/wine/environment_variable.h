// A variable of the test process's environment, which the programs it starts
// inherit, set for the life of the object.
#pragma once

#include "common/win/wide.h"

#include <windows.h>

#include <optional>
#include <string>

class EnvironmentVariable {
  public:
    // The value it had before comes back at the end (Wine's sessions set some,
    // such as WINEDLLOVERRIDES, for every program of the test).
    EnvironmentVariable(const wchar_t* name, const std::u16string& value)
        : name_(name), previous_(Value(name)) {
        SetEnvironmentVariableW(name, WideCStr(value));
    }
    ~EnvironmentVariable() {
        SetEnvironmentVariableW(name_, previous_ ? previous_->c_str() : nullptr);
    }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

    // The variable's value in the test process; none when it is not set.
    static std::optional<std::wstring> Value(const wchar_t* name) {
        const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
        if (size == 0) {
            return std::nullopt;
        }
        std::wstring value(size, L'\0');
        value.resize(GetEnvironmentVariableW(name, value.data(), size));
        return value;
    }

  private:
    const wchar_t* name_;
    std::optional<std::wstring> previous_;
};
