#pragma once
// Owner-less message boxes with fixed English captions, the engine log, and
// the shared text buffer in which messages are formatted. Used by code that
// has no form at hand: the image engine, the floppy and file tools and the
// string lookup.

enum { kMessageBufferSize = 1024 };

// The one text in which a message is formatted before it is logged or shown
// (snprintf(MessageBuffer, kMessageBufferSize, ...)). One message at a time.
extern char MessageBuffer[kMessageBufferSize];

// Logs the text, then shows it with the caption "Error" and the error icon.
void ShowError(const char* text);
// Shows the text with the caption "Promot" and the information icon.
void ShowInfo(const char* text);
// Asks with the caption "Prompt", Yes and No; true when Yes was pressed.
bool AskYesNo(const char* text);

// Makes a file writable and deletes it, when it exists. Returns nonzero when
// the file was missing, else 0 when it was deleted (-1 when that failed).
int ForceDeleteFile(const char* path);
