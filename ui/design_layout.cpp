#include "ui/design_layout.h"

#include "win/application.h"

void RestoreDesignLayout(Form& form) {
  const FormDescription& description = form.Description();
  for (int i = 0; i < description.controlCount; ++i) {
    const ControlDescription& row = description.controls[i];
    Control control = form.ControlAt(row.id);
    if (!control.IsValid()) continue;  // menu rows
    control.SetBounds(TheApplication.Scale(row.left), TheApplication.Scale(row.top),
                      TheApplication.Scale(row.width), TheApplication.Scale(row.height));
  }
  SetDesignClientSize(form, description.clientWidth, description.clientHeight);
}

void SetDesignClientSize(Form& form, int clientWidth, int clientHeight) {
  HWND window = form.Handle();
  RECT rect = {0, 0, TheApplication.Scale(clientWidth), TheApplication.Scale(clientHeight)};
  AdjustWindowRectEx(&rect, (DWORD)GetWindowLongPtrA(window, GWL_STYLE), FALSE,
                     (DWORD)GetWindowLongPtrA(window, GWL_EXSTYLE));
  SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyLanguageLayout(Form& form, const LanguageLayout* layouts, int count, int langId) {
  for (int i = 0; i < count; ++i) {
    if (layouts[i].langId != langId) continue;
    for (int k = 0; k < layouts[i].count; ++k) {
      const LayoutOverride& change = layouts[i].overrides[k];
      int pixels = (change.property & kOverrideUnscaled) ? change.value : TheApplication.Scale(change.value);
      Control target = change.control == kFormItself ? Control(form.Handle()) : form.ControlAt(change.control);
      switch (change.property & ~(unsigned)kOverrideUnscaled) {
        case kOverrideLeft: target.SetLeft(pixels); break;
        case kOverrideTop: target.SetTop(pixels); break;
        case kOverrideWidth: target.SetWidth(pixels); break;
        case kOverrideHeight: target.SetHeight(pixels); break;
      }
    }
    return;
  }
}
