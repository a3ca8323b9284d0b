#include "win/form_description.h"

namespace {

bool IsContainer(ControlRole role) {
  return role == kRolePanel || role == kRoleGroupBox || role == kRoleTabSheet;
}

bool IsMenu(ControlRole role) { return role == kRolePopupMenu || role == kRoleMenuItem; }

// Whether a row of role `child` may sit in a row of role `parent`
// (kFormItself: on the form).
bool FitsParent(ControlRole child, int parentRow, const FormDescription& d) {
  if (child == kRoleTabSheet) return parentRow >= 0 && d.controls[parentRow].role == kRolePageControl;
  if (child == kRoleMenuItem) return parentRow >= 0 && IsMenu(d.controls[parentRow].role);
  if (parentRow < 0) return true;
  if (child == kRolePopupMenu) return false;
  return IsContainer(d.controls[parentRow].role);
}

std::string NameOf(const FormDescription& d, int id) {
  if (id == kFormItself) return d.name;
  if (id < 0 || id >= d.nameCount) return "id " + std::to_string(id);
  return d.names[id];
}

// Table row of an id; -1 for kFormItself, -2 when no row has it.
int RowOf(const FormDescription& d, int id) {
  if (id == kFormItself) return -1;
  for (int row = 0; row < d.controlCount; ++row) {
    if (d.controls[row].id == id) return row;
  }
  return -2;
}

std::string CheckRows(const FormDescription& d) {
  for (int id = 0; id < d.nameCount; ++id) {
    int rows = 0;
    for (int row = 0; row < d.controlCount; ++row) rows += d.controls[row].id == id;
    if (rows != 1) return std::string(d.names[id]) + (rows ? " has two rows" : " has no row");
  }
  for (int row = 0; row < d.controlCount; ++row) {
    const ControlDescription& c = d.controls[row];
    if (c.id < 0 || c.id >= d.nameCount) return "row " + std::to_string(row) + " has no name";
    int parentRow = RowOf(d, c.parent);
    if (parentRow == -2 || parentRow >= row) return NameOf(d, c.id) + ": parent missing or later in the table";
    if (!FitsParent(c.role, parentRow, d)) return NameOf(d, c.id) + ": cannot sit in " + NameOf(d, c.parent);
    if (c.partCount < 0 || (c.partCount > 0 && !c.parts)) return NameOf(d, c.id) + ": parts missing";
  }
  return "";
}

std::string CheckCaptions(const FormDescription& d) {
  for (int i = 0; i < d.captionCount; ++i) {
    const CaptionEntry& e = d.captions[i];
    int row = RowOf(d, e.control);
    if (row == -2) return "caption " + std::to_string(e.stringId) + " names no row";
    bool needsPart = e.target == kCaptionColumn || e.target == kCaptionPanel;
    ControlRole partRole = e.target == kCaptionColumn ? kRoleListView : kRoleStatusBar;
    if (needsPart && (row < 0 || d.controls[row].role != partRole || e.index < 0 ||
                      e.index >= d.controls[row].partCount)) {
      return "caption " + std::to_string(e.stringId) + ": " + NameOf(d, e.control) + " has no such part";
    }
    if (e.target == kCaptionHint && (row < 0 || IsMenu(d.controls[row].role))) {
      return "caption " + std::to_string(e.stringId) + ": " + NameOf(d, e.control) + " takes no hint";
    }
  }
  return "";
}

std::string CheckLayouts(const FormDescription& d) {
  for (int i = 0; i < d.layoutCount; ++i) {
    const LanguageLayout& layout = d.layouts[i];
    for (int j = 0; j < i; ++j) {
      if (d.layouts[j].langId == layout.langId) return "language " + std::to_string(layout.langId) + " listed twice";
    }
    for (int k = 0; k < layout.count; ++k) {
      const LayoutOverride& o = layout.overrides[k];
      int row = RowOf(d, o.control);
      std::string where = "language " + std::to_string(layout.langId) + " override " + std::to_string(k);
      if (row == -2 || (row >= 0 && IsMenu(d.controls[row].role))) return where + " names no window";
      if ((o.property & ~(unsigned)kOverrideUnscaled) > kOverrideHeight) return where + " has no property";
    }
  }
  return "";
}

}  // namespace

std::string CheckFormDescription(const FormDescription& d) {
  if (d.nameCount < 0 || d.controlCount < 0 || (d.nameCount > 0 && !d.names) ||
      (d.controlCount > 0 && !d.controls)) {
    return std::string(d.name) + ": table or names missing";
  }
  std::string fault = CheckRows(d);
  if (fault.empty()) fault = CheckCaptions(d);
  if (fault.empty()) fault = CheckLayouts(d);
  return fault.empty() ? fault : std::string(d.name) + ": " + fault;
}
