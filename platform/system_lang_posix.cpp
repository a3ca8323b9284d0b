#include "platform/system_lang.h"

static int langOverride = -1;

int SystemDefaultLangId() { return langOverride >= 0 ? langOverride : 0x0409; }

void SetSystemDefaultLangId(int langId) { langOverride = langId; }
