// A variable of the test process's environment, which the programs it starts
// inherit, set for the life of the object.
#pragma once

#include "common/win/wide.h"

#include <windows.h>

#include <string>

class EnvironmentVariable {
  public:
    EnvironmentVariable(const wchar_t* name, const std::u16string& value) : name_(name) {
        SetEnvironmentVariableW(name, WideCStr(value));
    }
    ~EnvironmentVariable() { SetEnvironmentVariableW(name_, nullptr); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

  private:
    const wchar_t* name_;
};
