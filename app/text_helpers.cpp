#include "app/text_helpers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

enum { kTextBufferSize = 1024 };
static char TextBuffer[kTextBufferSize];

// Copies at most kTextBufferSize - 1 characters of text into TextBuffer.
// memmove, because TrimText hands TextBuffer back in as the source.
static char* CopyToTextBuffer(const char* text, size_t length) {
  if (length > kTextBufferSize - 1) length = kTextBufferSize - 1;
  memmove(TextBuffer, text, length);
  TextBuffer[length] = 0;
  return TextBuffer;
}

const char* IntToText(int value) {
  snprintf(TextBuffer, kTextBufferSize, "%d", value);
  return TextBuffer;
}

int TextToInt(const char* text) { return (int)atol(text); }

char* TrimRight(const char* text) {
  size_t length = strlen(text);
  while (length > 0 && text[length - 1] == ' ') length--;
  return CopyToTextBuffer(text, length);
}

char* TrimLeft(const char* text) {
  while (*text == ' ') text++;
  return CopyToTextBuffer(text, strlen(text));
}

char* TrimText(const char* text) { return TrimLeft(TrimRight(text)); }
