#include "app/process_settings.h"

// The built-in home page, kept until the settings key supplies another.
static const char kDefaultHomePageLink[] = "http://www.tarnwick.com/";

ProcessSettings TheProcessSettings = {"", "", "", kDefaultHomePageLink, 96};

const char* GetHomeDir() { return TheProcessSettings.homeDir; }
