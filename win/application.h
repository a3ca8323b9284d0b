#pragma once
// The application object: initialisation, title, the forms in creation
// order, the message loop and the place where exceptions end.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

class Form;

// The exception class of the forms layer.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

class Application {
 public:
  // Registers the window classes, initialises the common controls and takes
  // the screen's pixels per inch. True when everything is ready.
  bool Initialize(HINSTANCE instance);
  HINSTANCE Instance() const { return instance_; }

  void SetTitle(const char* title) { title_ = title; }
  const char* Title() const { return title_.c_str(); }

  int ScreenPixelsPerInch() const { return pixelsPerInch_; }
  // Tests lay out forms at another density.
  void SetScreenPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }
  int Scale(int designPixels) const;

  // Makes the form object and its window (hidden). The first form created
  // is the main form: closing it ends the message loop.
  template <class T>
  T* CreateForm(T*& reference) {
    T* form = new T();
    reference = form;
    AddForm(form);
    return form;
  }
  Form* MainForm() const { return forms_.empty() ? nullptr : forms_[0]; }
  int FormCount() const { return (int)forms_.size(); }
  Form* FormAt(int index) const { return forms_[index]; }
  Form* FindForm(const char* name) const;

  // Shows the main form and dispatches messages until the quit message;
  // returns its exit code.
  int Run();
  // Handles one message of the queue (waits for one); false on the quit
  // message, which it leaves in the queue for the outer loop.
  bool ProcessMessage();
  // Hands one message of the queue to its window, the way the loop does
  // (dialog keys of the forms, translation into characters, dispatch);
  // the test driver plays its keys through here.
  void Dispatch(MSG& message);

  // Shows the exception as an error box through the message-box seam.
  void ShowException(const std::exception& error);
  // Shows the exception now being handled; for catch (...) blocks.
  void ShowCurrentException();

  // Destroys every form, last created first.
  void DestroyForms();

  // A font of the cache: made once for each face, size, character set and
  // weight, kept until the program ends.
  HFONT GetFont(const char* name, int size, int charset, bool bold);

 private:
  void AddForm(Form* form);

  struct CachedFont {
    std::string name;
    int size, charset;
    bool bold;
    int pixelsPerInch;
    HFONT font;
  };

  HINSTANCE instance_ = nullptr;
  std::string title_;
  int pixelsPerInch_ = 96;
  std::vector<Form*> forms_;
  std::vector<CachedFont> fonts_;
};

extern Application TheApplication;
