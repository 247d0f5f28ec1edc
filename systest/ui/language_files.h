// The language library of the user's language on the running system: the
// choice of language_choice.h over the program's folder and the user's locale.
#pragma once

#include "systest/ui/app_module.h"
#include "systest/ui/language_choice.h"

// Loads the library into the module as its first resource library. When none
// loads, the choice holds the fatal error message.
LanguageChoice LoadUserLanguage(AppModule& module);
