#pragma once
// Sets the document's folders for window tests whose sources include the
// forms layer (which cannot stand beside menu/document.h in one source).
void SetDocumentFolders(const char* cdFileDir, const char* menuFileDir);
