#pragma once
// The window procedures of the forms layer, one per window kind: forms,
// subclassed system controls (containers have theirs in container.cpp).
// Each hands its messages to the form's entry point for that kind.
#include <windows.h>

class Form;

LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the control's messages through the form first. The procedure that
// the control had (its class's, or whatever subclassed it before) is kept
// with the window and receives every message the form does not swallow.
void SubclassControl(HWND control, Form* form);
