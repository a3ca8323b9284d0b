#include "ui/document_folders.h"

#include "menu/document.h"

const char* DocumentCDFileDir() { return TheDocument.CDFileDir; }
const char* DocumentMenuFileDir() { return TheDocument.MenuFileDir; }
