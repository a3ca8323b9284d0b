#include "platform/system_lang.h"

#include <windows.h>

static int langOverride = -1;

int SystemDefaultLangId() {
  return langOverride >= 0 ? langOverride : (int)GetSystemDefaultLangID();
}

void SetSystemDefaultLangId(int langId) { langOverride = langId; }
