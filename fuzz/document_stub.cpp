// The document and the string lookup for fuzz targets that need only their
// data: the bitmap and colour-table readers.
#include "app/language.h"
#include "menu/document.h"

MenuDocument TheDocument;

const char* GetString(int id) { return "File '%s' text %d"; }
