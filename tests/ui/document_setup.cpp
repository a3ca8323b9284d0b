#include "tests/ui/document_setup.h"

#include <cstdio>

#include "menu/document.h"

void SetDocumentFolders(const char* cdFileDir, const char* menuFileDir) {
  snprintf(TheDocument.CDFileDir, sizeof TheDocument.CDFileDir, "%s", cdFileDir);
  snprintf(TheDocument.MenuFileDir, sizeof TheDocument.MenuFileDir, "%s", menuFileDir);
}
