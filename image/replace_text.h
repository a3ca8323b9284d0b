#pragma once
// The replace-text tool: every occurrence of a text of 1 to 128 bytes in a
// file is overwritten in place by a replacement of the same or a smaller
// length, padded with NUL bytes; the file's length never changes.

enum { kMaxReplaceTextLength = 128 };

// Outcomes of ReplaceTextInFile. ShowReplaceTextResult turns each into its
// message.
enum ReplaceTextResult {
  kReplaceDone,            // 18048 "%d String(s) was Replaced Successfully!" (count)
  kReplaceFindEmpty,       // 18046 "Text to Find is NULL!" (empty or over 128 bytes)
  kReplaceTooLong,         // 18047 the replacement is longer than the find text
  kReplaceOpenError,       // 18021 "File '%s' Open Error!" (missing or read-only)
  kReplaceNoMemory,        // 18032 "Memory Allocation Error!"
  kReplaceFileTooLarge,    // "File '%s' is 2GB or larger and cannot be changed!"
  kReplaceReadError,       // "File '%s' read error! %d string(s) were replaced before it."
  kReplaceWriteError,      // "File '%s' write error! %d string(s) were replaced before it."
};

// Replaces in the file at path, in windows of 32 KB that overlap by the
// find text's length, so that an occurrence across a window boundary is
// found. Occurrences are taken from the start: after a replacement the
// search goes on at the next byte and sees the replaced bytes. *count =
// the replacements written back (on a read or write error, those of the
// windows before the failing one).
ReplaceTextResult ReplaceTextInFile(const char* path, const char* findText, const char* replacement, int* count);

// Shows the message of a result through ShowInfo.
void ShowReplaceTextResult(ReplaceTextResult result, const char* path, int count);
