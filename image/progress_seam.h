#pragma once
// The image engine's way to the progress window and to the 4 GB question.
// The engine calls the free functions below; the windows (or a test, or a
// command-line driver) install a ProgressHandlers table that answers them.
// Without a table every call does nothing, UpdateProgress reports the cancel
// flag and ConfirmFat32Overflow answers "go on".

// The shared cancel flag: 1 = stop the job. Set by the Stop button; reset
// whenever the window enters progress mode (StartProgress).
extern int ProgressCancelled;

struct ProgressHandlers {
  void (*show_preparing)();             // preparing mode, shown before the layout
  void (*hide_progress)();              // hidden after the layout passes
  void (*start_progress)();             // progress mode; the handler resets ProgressCancelled
  int (*update_progress)(double done);  // fraction 0..1; 1 when cancelled
  void (*close_progress)();
  bool (*confirm_fat32_overflow)();     // true to go on writing 4 GB or more to FAT
  int (*answer_while_preparing)();      // lets the windows answer; 1 when the job must stop
};

// Installs the table (null: none). Returns the table installed before.
const ProgressHandlers* SetProgressHandlers(const ProgressHandlers* handlers);

void ShowPreparing();
void HideProgress();
// Resets ProgressCancelled to 0, then tells the window.
void StartProgress();
// Returns 1 at once when ProgressCancelled is set; else the window's answer.
int UpdateProgress(double done);
void CloseProgress();
// Called many times a second while the engine reads the source tree and
// lays out the image, before anything is written (the window shows its
// preparing line meanwhile), so that the program's windows keep answering
// paint and input as they do through UpdateProgress during the copy.
// Returns 1 when the job must stop (the program is asked to end), else 0;
// without a table, 0.
int AnswerWhilePreparing();
// Asks the table's question when it has one, else the installed question
// (the main window's), else answers "go on".
bool ConfirmFat32Overflow();

// The 4 GB question on its own, for the window that asks it (the main
// window), apart from the progress window's table. Returns the question
// installed before (null: none).
typedef bool (*Fat32Question)();
Fat32Question SetFat32Question(Fat32Question question);
