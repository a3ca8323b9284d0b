#pragma once
// The undo history of TheDocument: one ring of 36 entries shared by all
// lists and per list a ring of 36 saved item copies. When more than 36
// entries are recorded the oldest are overwritten. There is no redo.

// Forgets all entries and saved copies and disables the Undo buttons.
void ResetUndo();

// Records an entry (UndoKind). Deletions and modifications also save a
// copy of item number item of the list as it is now. Enables the Undo
// buttons.
void PushUndo(int kind, int list, int item, int value);

// Takes back the newest entry; does not mark the document modified.
void PopUndo();

// Entries that can be undone (0..36).
int UndoEntryCount();
