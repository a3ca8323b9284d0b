#include "app/startup.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/registry.h"

const char kSettingsKeyPath[] = "SOFTWARE\\Tarnwick Systems\\Tarnwick\\3.0";

namespace {

// Texts read from the settings key: the default value into 1,024 bytes,
// "Language" and "HomePage" into 256.
const size_t kFolderValueSize = 1024;
const size_t kShortValueSize = 256;

// The copy of the registry's "HomePage" that HomePageLink points to.
char g_homePageLink[kShortValueSize];

bool IsSeparator(char c) { return c == '\\' || c == kPathSeparator; }

bool CopyIfFits(char* out, size_t size, const char* text, size_t length) {
  if (length >= size) {
    if (size) out[0] = '\0';
    return false;
  }
  memcpy(out, text, length);
  out[length] = '\0';
  return true;
}

// Steps 3 and 4: the program folder, the language and the home page.
void ReadSettingsKey(ProcessSettings& settings, LanguageState& language) {
  RegistryKey key = OpenRegistryKey(kRegCurrentUser, kSettingsKeyPath);
  if (key) {
    char value[kFolderValueSize];
    if (ReadRegistryText(key, nullptr, value, sizeof value) == kRegRead) {
      TakeHomeDirFromValue(value, settings.homeDir, sizeof settings.homeDir);
    }
    CloseRegistryKey(key);
  }
  key = OpenRegistryKey(kRegCurrentUser, kSettingsKeyPath);
  if (!key) return;
  char value[kShortValueSize];
  if (ReadRegistryText(key, "Language", value, sizeof value) == kRegRead) {
    int langId;
    if (sscanf(value, "%d", &langId) == 1) language.currentLangId = langId;
  }
  if (ReadRegistryText(key, "HomePage", value, sizeof value) == kRegRead) {
    memcpy(g_homePageLink, value, sizeof g_homePageLink);
    settings.homePageLink = g_homePageLink;
  }
  CloseRegistryKey(key);
}

}  // namespace

bool TakeStartupMenuPath(const char* commandLine, char* out, size_t size) {
  const char* start = commandLine;
  if (*start == '"') ++start;
  size_t length = strlen(start);
  if (length > 0 && start[length - 1] == '"') --length;
  return CopyIfFits(out, size, start, length);
}

bool TakeStartDir(const char* currentFolder, char* out, size_t size) {
  size_t length = strlen(currentFolder);
  if (length > 0 && IsSeparator(currentFolder[length - 1])) --length;
  return CopyIfFits(out, size, currentFolder, length);
}

bool TakeHomeDirFromValue(const char* value, char* homeDir, size_t size) {
  if (value[0] == '\0' || !FolderExists(value)) return false;
  size_t length = strlen(value);
  if (IsSeparator(value[length - 1])) --length;
  if (length >= size) return false;  // refused whole: a cut path names another folder
  memcpy(homeDir, value, length);
  homeDir[length] = '\0';
  return true;
}

void PrepareProcessSettings(const char* commandLine, ProcessSettings& settings,
                            LanguageState& language) {
  TakeStartupMenuPath(commandLine ? commandLine : "", settings.startupMenuPath,
                      sizeof settings.startupMenuPath);

  char current[1024];
  if (!GetCurrentFolder(current, sizeof current)) current[0] = '\0';
  TakeStartDir(current, settings.startDir, sizeof settings.startDir);
  // A start folder that could not be read, or that is too long for the
  // program folder, leaves "." there: the folder current at start, named so
  // that it fits.
  if (settings.startDir[0] != '\0' && strlen(settings.startDir) < sizeof settings.homeDir) {
    strcpy(settings.homeDir, settings.startDir);
  } else {
    strcpy(settings.homeDir, ".");
  }

  ReadSettingsKey(settings, language);
}

void BindStartupLanguage() {
  if (LoadLanguagePack(TheLanguage.currentLangId) == 0) TheLanguage.currentLangId = 1033;
}
