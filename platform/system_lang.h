#pragma once
// The system's default language (a Windows LANGID), which picks the
// code-page font of a menu file. Win32: GetSystemDefaultLangID. POSIX:
// 0x0409 (English, United States). Tests may set the value either way.
int SystemDefaultLangId();

// Makes SystemDefaultLangId return langId; a negative value restores the
// system's own answer.
void SetSystemDefaultLangId(int langId);
