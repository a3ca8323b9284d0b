#include "ui/designer_links.h"

namespace {

MainWindowLink g_noMainWindow;
PreviewLink g_noPreview;
MainWindowLink* g_mainWindow = nullptr;
PreviewLink* g_preview = nullptr;

}  // namespace

MainWindowLink& TheMainWindowLink() { return g_mainWindow ? *g_mainWindow : g_noMainWindow; }

MainWindowLink* SetMainWindowLink(MainWindowLink* link) {
  MainWindowLink* before = g_mainWindow;
  g_mainWindow = link;
  return before;
}

PreviewLink& ThePreviewLink() { return g_preview ? *g_preview : g_noPreview; }

PreviewLink* SetPreviewLink(PreviewLink* link) {
  PreviewLink* before = g_preview;
  g_preview = link;
  return before;
}
