#pragma once
// Forms are described as data: one FormDescription per form class with a
// table of its controls and menu items. Every row carries the name by which
// handlers, localisation tables and tests find it; rectangles are in 96-DPI
// design pixels, relative to the row's parent.

enum ControlRole {
  kRoleLabel,         // static text line; SS_NOTIFY so that it can be clicked
  kRoleEdit,
  kRoleButton,
  kRoleCheckBox,
  kRoleRadioButton,   // grouped with the radio buttons of the same parent
  kRoleGroupBox,      // frame with a caption; holds the rows that name it parent
  kRoleComboBox,      // kStyleDropDownList, kStyleOwnerDraw as flags
  kRoleStaticText,    // static text with kStyleSunken / kStyleCenter
  kRolePanel,         // plain container, clickable, can be coloured
  kRoleBevel,         // etched frame only
  kRoleImage,         // holds a bitmap
  kRolePageControl,   // tab strip; its pages are the tab sheets that name it
  kRoleTabSheet,
  kRoleListView,      // report style, columns from the row's column table
  kRoleStatusBar,     // panels from the row's column table (widths)
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
  kStyleBold = 0x0800,          // any text role: the form font in bold
  kStyleRight = 0x1000,         // label, static text
};

// A list-view column (caption and design width) or a status-bar panel
// (design width; caption is the panel's first text).
struct ColumnDescription {
  const char* caption;
  int width;
};

struct ControlDescription {
  const char* name;     // "btnOpen"
  ControlRole role;
  const char* parent;   // name of the containing row; null for the form
  int left, top, width, height;  // 96-DPI design pixels
  const char* caption;  // design text; "-" makes a menu item a separator
  unsigned style;       // ControlStyle flags
  int maxLength;        // edit: most characters (0 = no limit); owner-drawn
                        // combo: item height in design pixels
  int modalResult;      // button: the form's modal result after its click
  const ColumnDescription* columns;  // list view and status bar, else null
  int columnCount;
};

enum FormBorder {
  kBorderSingle,      // fixed size, caption and system menu
  kBorderDialog,      // fixed dialog frame, caption and system menu
  kBorderToolWindow,  // small caption, no border icons
};

enum FormFlags {
  kFormKeyPreview = 0x01,  // the form's KeyDown sees keys before the control
  kFormStayOnTop = 0x02,
  kFormNoSystemMenu = 0x04,
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
  const ControlDescription* controls;
  int controlCount;
};
