// Localisation of a form: texts by string id, the language pack's font and
// the per-language layout overrides, all taken from the form's description.
#include "app/language.h"
#include "win/application.h"
#include "win/form.h"

namespace {

// Roles that show no text take no font.
bool TakesFont(ControlRole role) {
  switch (role) {
    case kRoleBevel:
    case kRoleImage:
    case kRoleProgressBar:
    case kRoleUpDown:
    case kRolePopupMenu:
    case kRoleMenuItem:
      return false;
    default:
      return true;
  }
}

}  // namespace

void Form::Localize() {
  ApplyCaptions();
  ApplyLanguageFont();
  ApplyLayoutOverrides(TheLanguage.currentLangId);
}

void Form::ApplyCaptions() {
  for (int i = 0; i < description_.captionCount; ++i) {
    const CaptionEntry& entry = description_.captions[i];
    const char* text = GetString(entry.stringId);
    switch (entry.target) {
      case kCaptionText:
        if (entry.control == kFormItself) {
          SetCaption(text);
        } else if (Row(entry.control).role == kRoleMenuItem) {
          MenuItemAt(entry.control).SetCaption(text);
        } else {
          ControlAt(entry.control).SetCaption(text);
        }
        break;
      case kCaptionHint:
        SetHint(ControlAt(entry.control), text);
        break;
      case kCaptionColumn:
        ListView(ControlAt(entry.control)).SetColumnCaption(entry.index, text);
        break;
      case kCaptionPanel:
        StatusBar(ControlAt(entry.control)).SetPanelText(entry.index, text);
        break;
    }
  }
}

void Form::ApplyLanguageFont() {
  const LanguageState& language = TheLanguage;
  // The form keeps its size; its face and character set follow the language.
  SetFont(language.uiFontName, description_.fontSize, language.uiFontCharset);
  for (int row = 0; row < description_.controlCount; ++row) {
    const ControlDescription& c = description_.controls[row];
    if (!TakesFont(c.role) || (c.style & kStyleKeepFont)) continue;
    ControlAt(c.id).SetFont(language.uiFontName, language.uiFontSize, language.uiFontCharset,
                            (c.style & kStyleBold) != 0);
  }
}

void Form::ApplyLayoutOverrides(int langId) {
  for (int i = 0; i < description_.layoutCount; ++i) {
    const LanguageLayout& layout = description_.layouts[i];
    if (layout.langId != langId) continue;
    for (int k = 0; k < layout.count; ++k) {
      Place(layout.overrides[k].control, layout.overrides[k].property, layout.overrides[k].value);
    }
    return;
  }
}

void Form::Place(int id, unsigned property, int value) {
  int pixels = (property & kOverrideUnscaled) ? value : TheApplication.Scale(value);
  Control target = id == kFormItself ? Control(hwnd_) : ControlAt(id);
  switch (property & ~(unsigned)kOverrideUnscaled) {
    case kOverrideLeft:
      target.SetLeft(pixels);
      break;
    case kOverrideTop:
      target.SetTop(pixels);
      break;
    case kOverrideWidth:
      target.SetWidth(pixels);
      break;
    case kOverrideHeight:
      target.SetHeight(pixels);
      break;
  }
}
