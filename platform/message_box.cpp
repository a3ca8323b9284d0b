#include "platform/message_box.h"

#include <cstdio>

#ifdef TW_WIN32
#include <windows.h>
#endif

static MessageBoxHandler g_messageBoxHandler = nullptr;

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler before = g_messageBoxHandler;
  g_messageBoxHandler = handler;
  return before;
}

int ShowMessageBox(void* owner, const char* text, const char* caption, unsigned style) {
  MessageBoxRequest request = {owner, text, caption, style};
  if (g_messageBoxHandler) return g_messageBoxHandler(request);
#ifdef TW_WIN32
  return MessageBoxA((HWND)owner, text, caption, style);
#else
  // Natively there is nobody to ask: the text goes to standard error and a
  // question is answered No, so that nothing is overwritten by default.
  fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
  return (style & kMbYesNo) ? kIdNo : kIdOk;
#endif
}
