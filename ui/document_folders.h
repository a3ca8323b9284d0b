#pragma once
// The document's disc folder and menu folder, for forms whose source
// cannot include menu/document.h beside the forms layer (both name a
// MenuItem).
const char* DocumentCDFileDir();
const char* DocumentMenuFileDir();
