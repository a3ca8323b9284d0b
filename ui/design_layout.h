#pragma once
// Layout steps of forms whose per-language positions change with the
// language or with the form's mode: back to the design positions first, so
// that a language or mode shown before leaves nothing behind, then the
// overrides of the language in force.
#include "win/form.h"

// Puts every window row of the form back to its design rectangle and the
// form to the outer size that holds its design client area (all scaled to
// the screen).
void RestoreDesignLayout(Form& form);

// The outer size of the form that holds a client area of the given design
// size, scaled to the screen.
void SetDesignClientSize(Form& form, int clientWidth, int clientHeight);

// Applies the overrides of langId from a table of languages (the form's own
// or one of a mode); a language without a list changes nothing.
void ApplyLanguageLayout(Form& form, const LanguageLayout* layouts, int count, int langId);
