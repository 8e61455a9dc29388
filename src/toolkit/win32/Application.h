// TApplication: the program's application object. Win32 layer.
//
// It owns the forms, a hidden top-level window titled with Title that carries the
// taskbar button and owns the forms and the message boxes, and the classes that
// window descriptions may name. The first form created is the main form; closing
// it ends Run().
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/Component.h"
#include "system/winapi.h"
#include "toolkit/Binding.h"
#include "toolkit/Schema.h"

class TForm;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  // Makes the application window. Throws std::runtime_error when the system refuses.
  void Initialize();
  HWND Handle() const { return window_; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // The classes descriptions may name. The toolkit's are there from the start; a
  // program adds its own before CreateForm. Their schemas go in first: each binding
  // is checked against its schema as it is made. Either may be left empty.
  void AddClasses(const std::function<void(SchemaRegistry&)>& addSchemas,
                  const std::function<void(BindingRegistry&)>& addBindings);
  BindingRegistry& Classes() { return bindings_; }
  const SchemaRegistry& Schemas() const { return schemas_; }

  // Creates a form of class T (bound as className if it is not yet) from the
  // description stored in the RCDATA resource named className. The first form
  // becomes the main form. EDescriptionError when it cannot be built: no form is
  // left behind then.
  template <class T>
  T* CreateForm(const std::string& className) {
    RegisterFormClass<T>(className);
    auto form = std::make_unique<T>(this);
    form->LoadFromResource(className, bindings_);
    return static_cast<T*>(Adopt(form.release()));
  }
  // The same from a description the caller has at hand, read in place: one stored
  // under another name, or whose bytes the caller has already checked.
  template <class T>
  T* CreateForm(const std::string& className, TSpanStream& description) {
    RegisterFormClass<T>(className);
    auto form = std::make_unique<T>(this);
    form->LoadFromStream(description, bindings_);
    return static_cast<T*>(Adopt(form.release()));
  }
  TForm* MainForm() const { return mainForm_; }

  // A form class publishes nothing beyond TForm's: its schema and binding are made
  // here, once. A program may declare the schema itself, among the classes of its
  // descriptions that the description compiler must know.
  template <class T>
  void RegisterFormClass(const std::string& className) {
    if (!schemas_.FindClass(className)) schemas_.AddClass(className, "TForm");
    if (!bindings_.ByName(className)) ClassBinder<T>(bindings_, className);
  }

  // Shows the main form and the taskbar button, then dispatches messages (with the
  // dialog keys of the active form: Tab, Shift+Tab, arrows) until Terminate().
  void Run();
  void Terminate() { PostQuitMessage(0); }
  // Dispatches the messages that are waiting, then returns.
  void ProcessMessages();
  void Minimize();

  // The program's icon (the executable's icon resource MAINICON), for the taskbar
  // button and the forms; null when the executable has none.
  HICON Icon(bool small) const { return small ? smallIcon_ : icon_; }

 private:
  TForm* Adopt(TForm* form);
  bool Dispatch(MSG& message);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  SchemaRegistry schemas_;
  BindingRegistry bindings_{schemas_};
  HWND window_ = nullptr;
  HICON icon_ = nullptr;  // shared resource icons: the system frees them
  HICON smallIcon_ = nullptr;
  std::string title_;
  TForm* mainForm_ = nullptr;
};

// The one application object, while it exists.
extern TApplication* Application;
