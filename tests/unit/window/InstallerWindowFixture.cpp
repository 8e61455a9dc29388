#include "InstallerWindowFixture.h"

#include <stdexcept>

#include "installer/ProductSchemas.h"
#include "installer/win32/ProductBindings.h"
#include "installer/win32/StoredDescription.h"
#include "tests/unit/support/TestData.h"
#include "toolkit/win32/ComboBox.h"

namespace window_test {

TInstallerImage::TInstallerImage()
    : module_(
          LoadLibraryExA(TestDataPath("installer").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
  if (!module_) throw std::runtime_error("cannot map " + TestDataPath("installer"));
}

TInstallerImage::~TInstallerImage() {
  FreeLibrary(module_);
}

void InstallerWindow::SetUp() {
  application_.Initialize();
  application_.SetTitle("Halvora plugin");
  application_.AddClasses(AddProductSchemas, AddProductBindings);
  application_.RegisterFormClass<TFormServicePack>("TFormServicePack");
  std::optional<TSpanStream> description = CheckedDescription(image_.Module());
  ASSERT_TRUE(description.has_value());
  // The application owns the form from here on, loaded or not.
  form_ = new TFormServicePack(&application_);
  form_->LoadFromStream(*description, application_.Classes());
  form_->Show();
  Pump(200);
}

void InstallerWindow::ChooseModel(int index) {
  const HWND combo = form_->CBModel->Handle();
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(FormWindow(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void InstallerWindow::Pump(int milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  } while (GetTickCount() - start < static_cast<DWORD>(milliseconds));
}

}  // namespace window_test
