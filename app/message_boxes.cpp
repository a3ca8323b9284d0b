#include "app/message_boxes.h"

#include "app/engine_log.h"
#include "platform/files.h"
#include "platform/message_box.h"

char MessageBuffer[kMessageBufferSize];

void ShowError(const char* text) {
  LogMessage(text);
  ShowMessageBox(nullptr, text, "Error", kMbOk | kMbIconError);
}

void ShowInfo(const char* text) {
  ShowMessageBox(nullptr, text, "Promot", kMbOk | kMbIconInformation);
}

bool AskYesNo(const char* text) {
  return ShowMessageBox(nullptr, text, "Prompt", kMbYesNo | kMbIconQuestion) == kIdYes;
}

int ForceDeleteFile(const char* path) {
  if (!PathExists(path)) return 1;
  MakeFileWritable(path);
  return DeleteFileAt(path) ? 0 : -1;
}
