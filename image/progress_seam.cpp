#include "image/progress_seam.h"

int ProgressCancelled = 0;

static const ProgressHandlers* g_progress = nullptr;
static Fat32Question g_fat32Question = nullptr;

const ProgressHandlers* SetProgressHandlers(const ProgressHandlers* handlers) {
  const ProgressHandlers* before = g_progress;
  g_progress = handlers;
  return before;
}

void ShowPreparing() {
  if (g_progress && g_progress->show_preparing) g_progress->show_preparing();
}

void HideProgress() {
  if (g_progress && g_progress->hide_progress) g_progress->hide_progress();
}

void StartProgress() {
  ProgressCancelled = 0;
  if (g_progress && g_progress->start_progress) g_progress->start_progress();
}

int UpdateProgress(double done) {
  if (ProgressCancelled) return 1;
  if (g_progress && g_progress->update_progress) return g_progress->update_progress(done);
  return 0;
}

void CloseProgress() {
  if (g_progress && g_progress->close_progress) g_progress->close_progress();
}

int AnswerWhilePreparing() {
  if (g_progress && g_progress->answer_while_preparing) return g_progress->answer_while_preparing();
  return 0;
}

bool ConfirmFat32Overflow() {
  if (g_progress && g_progress->confirm_fat32_overflow) return g_progress->confirm_fat32_overflow();
  if (g_fat32Question) return g_fat32Question();
  return true;
}

Fat32Question SetFat32Question(Fat32Question question) {
  Fat32Question before = g_fat32Question;
  g_fat32Question = question;
  return before;
}
