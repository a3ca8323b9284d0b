#include "menu/document_view.h"

// The view in force while the main window (or a test) has installed none.
static DocumentView& NullView() {
  static DocumentView view;
  return view;
}

static DocumentView* installedView = nullptr;

DocumentView& TheDocumentView() { return installedView ? *installedView : NullView(); }

DocumentView* SetDocumentView(DocumentView* view) {
  DocumentView* before = installedView;
  installedView = view;
  return before;
}
