#include "ui/main_settings.h"

#include "platform/system_version.h"

bool IsWin2000OrLater() { return (GetSystemVersionWord() & 0xFF) > 4; }
