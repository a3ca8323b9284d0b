#include "ui/fat32_question.h"

#include "app/language.h"
#include "app/string_ids.h"
#include "platform/message_box.h"
#include "win/application.h"
#include "win/form.h"

bool AskFat32Overflow() {
  Form* main = TheApplication.MainForm();
  return ShowMessageBox(main ? main->Handle() : nullptr, GetString(kStrFat32Overflow), GetString(kStrCaptionPrompt),
                        kMbYesNo | kMbIconQuestion | kMbDefButton2) == kIdYes;
}
