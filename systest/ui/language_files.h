// The language library of the user's language on the running system: the
// choice of language_choice.h over the program's folder and the user's locale.
#pragma once

#include "common/win/handles.h"
#include "systest/ui/app_module.h"
#include "systest/ui/language_choice.h"

#include <string>

// Opens a language library from its full path as data (LoadDataLibrary): its
// strings are read, no code of it runs. Null when it cannot be opened or lacks
// a string of the program, as a DLL of another kind does.
UniqueLibrary OpenLanguageLibrary(const std::wstring& fullPath);

// Loads the library into the module as its first resource library. When none
// loads, the choice holds the fatal error message.
LanguageChoice LoadUserLanguage(AppModule& module);
