#pragma once
// Forms are described as data: one FormDescription per form class with a
// table of its controls and menu items, a caption table (string ids) and the
// per-language layout overrides. Every row is named by a value of the form's
// name enum; the enum and the name texts come from one X-macro list, so a
// name can neither be misspelt nor drift from its text. Rectangles are in
// 96-DPI design pixels, relative to the row's parent. See win/form.h for a
// worked example.
#include <string>

// Makes the enum values and the name texts of a form from its X-macro list:
//   #define FRM_REPLACE_NAMES(X) X(lbFile) X(txtFile) X(btnOK)
//   enum Name { FRM_REPLACE_NAMES(TW_NAME_ENUM) kNameCount };
//   const char* const kNames[] = {FRM_REPLACE_NAMES(TW_NAME_TEXT)};
#define TW_NAME_ENUM(name) name,
#define TW_NAME_TEXT(name) #name,

// The form itself where a row id is expected: a row's parent, the target of
// a caption (the form's caption) or of a layout override (the form's outer
// size and position), an event's control.
enum { kFormItself = -1 };

enum ControlRole {
  kRoleLabel,         // static text line; SS_NOTIFY so that it can be clicked
  kRoleEdit,
  kRoleButton,
  kRoleCheckBox,
  kRoleRadioButton,   // grouped by the row's group number (see below)
  kRoleGroupBox,      // frame with a caption; holds the rows that name it parent
  kRoleComboBox,      // editable with a drop-down list; kStyleDropDownList, kStyleOwnerDraw
  kRoleStaticText,    // static text with kStyleSunken / kStyleCenter
  kRolePanel,         // plain container, clickable, can be coloured and framed
  kRoleBevel,         // etched frame only
  kRoleImage,         // holds a bitmap
  kRolePageControl,   // tab strip; its pages are the tab sheets that name it
  kRoleTabSheet,
  kRoleListView,      // report style, columns from the row's parts
  kRoleStatusBar,     // panels from the row's parts (widths, first texts)
  kRoleProgressBar,
  kRoleUpDown,
  kRoleDateTimePicker,  // kStyleTimeKind for a time of day, else a short date
  kRoleSpeedButton,   // flat button that does not take the focus
  kRolePopupMenu,     // not a window: a menu opened by code
  kRoleMenuItem,      // parent is a popup menu or another item (submenu)
};

// Style flags of a row; each applies to the roles named.
enum ControlStyle {
  kStyleHidden = 0x0001,        // any window role
  kStyleDisabled = 0x0002,      // any window role
  kStyleReadOnly = 0x0004,      // edit
  kStyleNoBorder = 0x0008,      // edit
  kStylePassword = 0x0010,      // edit
  kStyleCenter = 0x0020,        // label, static text
  kStyleSunken = 0x0040,        // static text, panel
  kStyleDropDownList = 0x0080,  // combo box without an edit field
  kStyleOwnerDraw = 0x0100,     // combo box drawn by its DrawItem handler
  kStyleSmooth = 0x0200,        // progress bar
  kStyleTimeKind = 0x0400,      // date/time picker
  kStyleBold = 0x0800,          // any text role: the font in bold
  kStyleRight = 0x1000,         // label, static text
  kStyleDefault = 0x2000,       // button: Enter in the form clicks it (BS_DEFPUSHBUTTON)
  kStyleCancel = 0x4000,        // button: Escape in the form clicks it
  kStyleKeepFont = 0x8000,      // any window role: the language font passes it by
  kStyleBorder = 0x10000,       // panel: a single black frame
};

// A part of a row: a list-view column (text and design width), a status-bar
// panel (design width, first text) or an item of a combo box's list (text).
struct PartDescription {
  const char* text;
  int width;
};

// One row of a form's table. The fields after `style` may be left out of a
// row's initialiser; they then take the values given here.
struct ControlDescription {
  int id;               // value of the form's name enum
  ControlRole role;
  int parent;           // id of the containing row (created before it); kFormItself
  int left, top, width, height;  // 96-DPI design pixels
  const char* caption;  // design text; "-" makes a menu item a separator
  unsigned style = 0;   // ControlStyle flags
  int maxLength = 0;    // edit: most characters (0 = no limit)
  int modalResult = 0;  // button: the form's modal result after its click
  int group = 0;        // radio button: buttons with the same group number
                        // form one group; 0 = one group with the radio
                        // buttons of group 0 that share its parent
  int itemHeight = 0;   // owner-drawn combo box: item height, design pixels
  const PartDescription* parts = nullptr;  // list view, status bar, combo box
  int partCount = 0;
};

// Where a caption-table entry puts its text.
enum CaptionTarget {
  kCaptionText,    // window text, tab sheet's tab, menu item, form caption
  kCaptionHint,    // the row's tool tip
  kCaptionColumn,  // list-view column `index`
  kCaptionPanel,   // status-bar panel `index`
};

// One text of the form by string id (looked up with GetString whenever the
// form is localised).
struct CaptionEntry {
  int control;         // row id, or kFormItself for the form's caption
  CaptionTarget target;
  int index;           // column or panel number; 0 otherwise
  int stringId;
};

// A property that a per-language layout override sets. Values are 96-DPI
// design pixels and are scaled to the screen, unless kOverrideUnscaled is
// or-ed in (the value is then taken as screen pixels).
enum LayoutProperty {
  kOverrideLeft = 0,
  kOverrideTop = 1,
  kOverrideWidth = 2,   // the form: its outer width
  kOverrideHeight = 3,  // the form: its outer height
  kOverrideUnscaled = 0x10,
};

struct LayoutOverride {
  int control;        // row id, or kFormItself
  unsigned property;  // LayoutProperty, optionally | kOverrideUnscaled
  int value;
};

// The overrides of one language, applied in list order.
struct LanguageLayout {
  int langId;
  const LayoutOverride* overrides;
  int count;
};

enum FormBorder {
  kBorderSingle,      // fixed size, caption and system menu
  kBorderDialog,      // fixed dialog frame, caption and system menu
  kBorderToolWindow,  // small caption, no border icons
};

enum FormFlags {
  kFormKeyPreview = 0x01,    // the form's KeyDown sees keys before the control
  kFormStayOnTop = 0x02,
  kFormNoSystemMenu = 0x04,
  kFormWantAllKeys = 0x08,   // a custom-painted form: Tab, arrows, Enter and
                             // Escape reach its own KeyDown when it has the focus
  kFormPaintsAll = 0x10,     // a custom-painted form covers its whole client
                             // area in its Paint: no background erase first
};

struct FormDescription {
  const char* name;       // "frmTb"
  const char* className;  // "TfrmTb"; also the Win32 window class
  const char* caption;
  int left, top;                 // screen pixels, not scaled
  int clientWidth, clientHeight; // 96-DPI design pixels
  FormBorder border;
  unsigned flags;                // FormFlags
  int backgroundColor;           // a Win32 system colour index (COLOR_BTNFACE 15)
  const char* fontName;          // design font of the form and its controls
  int fontSize;                  // points
  int fontCharset;
  const ControlDescription* controls = nullptr;
  int controlCount = 0;
  const char* const* names = nullptr;  // name texts by id (TW_NAME_TEXT)
  int nameCount = 0;                   // every id below it has exactly one row
  const CaptionEntry* captions = nullptr;
  int captionCount = 0;
  const LanguageLayout* layouts = nullptr;
  int layoutCount = 0;
};

// The first fault of a description ("" when it has none): a name without a
// row or with two, a row id outside the names, a parent that is missing,
// comes later or cannot hold the row, a caption or override naming no row
// or a missing column or panel, a language listed twice. Form::Create
// refuses a faulty description; each form's test calls this too.
std::string CheckFormDescription(const FormDescription& description);
