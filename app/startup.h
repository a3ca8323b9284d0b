#pragma once
// The window-free steps of the program's start: the menu file named on the
// command line, the start and program folders, and the saved language and
// home page from the settings key.
#include <cstddef>

#include "app/language.h"
#include "app/process_settings.h"

// The per-user settings key (under HKEY_CURRENT_USER).
extern const char kSettingsKeyPath[];

// The menu file named on the command line: one leading and one trailing
// double quote are dropped, nothing else is parsed. A path that does not fit
// out (size bytes) is refused: out is emptied and false returned.
bool TakeStartupMenuPath(const char* commandLine, char* out, size_t size);

// The start folder from the current folder's text: without one trailing
// separator ("C:\" becomes "C:"). False, with out emptied, when it does not
// fit.
bool TakeStartDir(const char* currentFolder, char* out, size_t size);

// The program folder from the settings key's default value: taken only when
// it names an existing folder and fits homeDir (size bytes) once one
// trailing separator is cut. Returns true when homeDir was replaced.
bool TakeHomeDirFromValue(const char* value, char* homeDir, size_t size);

// Steps 1 to 4 of the start: fills settings (the menu file, start folder,
// program folder, home page) and the language in force from the command line,
// the current folder and the settings key.
void PrepareProcessSettings(const char* commandLine, ProcessSettings& settings,
                            LanguageState& language);

// Binds the pack of the saved language (TheLanguage); when none can be
// bound the program runs in English from its built-in texts (1033).
void BindStartupLanguage();
