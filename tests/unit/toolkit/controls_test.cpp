// The controls on real windows under Wine: a form built from the description in
// this program's resources (compiled by dfmc), and forms built from descriptions
// made here, damaged ones included.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DescriptionWriting.h"
#include "button/win32/MyButton.h"
#include "installer/ProductSchemas.h"
#include "installer/TXTDat.h"
#include "installer/win32/ProductBindings.h"
#include "storage/StoredData.h"
#include "storage/win32/FileStorage.h"
#include "system/winapi.h"
#include "tests/e2e/Screenshot.h"
#include "tests/e2e/UiDriver.h"
#include "toolkit/DescriptionLoader.h"
#include "toolkit/DescriptionWriter.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Bevel.h"
#include "toolkit/win32/ComboBox.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/Image.h"
#include "toolkit/win32/Label.h"
#include "toolkit/win32/OpenDialog.h"
#include "toolkit/win32/ResourceStream.h"
#include "toolkit/win32/RichEdit.h"
#include "toolkit/win32/Screen.h"

namespace {

using e2e::TextOf;

class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {
    Handlers().Add("FormCreate", this, &TTestForm::FormCreate);
    Handlers().Add("CBModelChange", this, &TTestForm::CBModelChange);
  }
  void FormCreate(TObject*) { createdWith = Components().size(); }
  void CBModelChange(TObject*) { ++changes; }

  TComboBox* CBModel = nullptr;
  std::size_t createdWith = 0;
  int changes = 0;

 protected:
  void ResolveComponents() override { CBModel = &FindComponentAs<TComboBox>("CBModel"); }
};

class Toolkit : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Initialize();
    app.SetTitle("Toolkit test");
    app.AddClasses(AddProductSchemas, AddProductBindings);
  }
  TApplication app;
};

LOGFONTA FontOf(HWND window) {
  LOGFONTA font{};
  const HFONT handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  EXPECT_NE(handle, nullptr);
  EXPECT_NE(GetObjectA(handle, sizeof font, &font), 0);
  return font;
}

TEST_F(Toolkit, EveryPublishedPropertyOfEveryClassIsBound) {
  EXPECT_EQ(app.Classes().Unbound(), std::vector<std::string>{});
}

// The toolkit knows nothing of the product: a description naming the product's
// classes is refused until the program adds them.
TEST(Application, KnowsOnlyTheToolkitsClassesUntilTheProgramAddsItsOwn) {
  TApplication app;
  app.Initialize();
  EXPECT_NE(app.Classes().ByName("TComboBox"), nullptr);
  for (const char* productClass : {"TXMButton", "TFileStorage", "TTXTDat", "TFormServicePack"}) {
    EXPECT_EQ(app.Schemas().FindClass(productClass), nullptr) << productClass;
    EXPECT_EQ(app.Classes().ByName(productClass), nullptr) << productClass;
  }
  EXPECT_EQ(app.Classes().Unbound(), std::vector<std::string>{});
  EXPECT_THROW(app.CreateForm<TTestForm>("TTestForm"), EDescriptionError);
  EXPECT_EQ(app.MainForm(), nullptr);

  app.AddClasses(AddProductSchemas, AddProductBindings);
  EXPECT_NE(app.Classes().ByName("TXMButton"), nullptr);
  EXPECT_EQ(app.Classes().Unbound(), std::vector<std::string>{});
  EXPECT_NE(app.CreateForm<TTestForm>("TTestForm"), nullptr);
}

TEST_F(Toolkit, TheResourceDescriptionBuildsTheFormAndWritesBackTheSameBytes) {
  TTestForm* form = app.CreateForm<TTestForm>("TTestForm");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(app.MainForm(), form);
  EXPECT_EQ(form->createdWith, 9u);  // OnCreate ran after every component existed
  ASSERT_NE(form->CBModel, nullptr);

  // Before any window exists, the form writes back exactly what was stored.
  TSpanStream stored = ResourceSpan("TTestForm");
  TMemoryStream written;
  WriteDescription(*form, written, app.Classes());
  ASSERT_EQ(written.Size(), stored.Size());
  EXPECT_EQ(std::memcmp(written.Data(), stored.Current(), static_cast<std::size_t>(stored.Size())),
            0);

  auto& button = dynamic_cast<TXMButton&>(*form->FindComponent("ButInstall"));
  EXPECT_EQ(button.BitmapKind(), bkOk);
  EXPECT_EQ(button.LoadedKind(), bkNone);  // the stored glyph went in past the setter
  EXPECT_EQ(button.Bitmap().Width(), 2);
  EXPECT_EQ(dynamic_cast<TTXTDat&>(*form->FindComponent("TXTDat")).Lines().Count(), 2);
  auto& dialog = dynamic_cast<TOpenDialog&>(*form->FindComponent("opendlg"));
  EXPECT_EQ(dialog.Title(), "Please open the file: Halvora.exe");
  EXPECT_EQ(dialog.Options(),
            OpenOption(ofHideReadOnly) | OpenOption(ofFileMustExist) | OpenOption(ofEnableSizing));
  EXPECT_EQ(dynamic_cast<TFileStorage&>(*form->FindComponent("FileStoEmpty")).Count(), 0);
}

TEST_F(Toolkit, TheFormsWindowHasTheDescribedFrameSizeAndPlace) {
  TTestForm* form = app.CreateForm<TTestForm>("TTestForm");
  form->Show();
  const HWND window = form->Handle();
  ASSERT_NE(window, nullptr);

  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  if (e2e::WineDpiOtherThan96() == 0) {  // Wine at another DPI frames the window otherwise
    EXPECT_EQ(client.right, 446);
    EXPECT_EQ(client.bottom, 326);
  }
  EXPECT_EQ(form->ClientWidth(), 446);

  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0);
  EXPECT_NE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
  EXPECT_EQ(TextOf(window), "Toolkit test");
  EXPECT_EQ(GetWindow(window, GW_OWNER), app.Handle());  // the taskbar button is the application's
  EXPECT_EQ(TextOf(app.Handle()), "Toolkit test");

  RECT frame;
  ASSERT_TRUE(GetWindowRect(window, &frame));
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_EQ(ResolveColor(form->Color()), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(Toolkit, ControlsCarryTheirDescribedSettings) {
  TTestForm* form = app.CreateForm<TTestForm>("TTestForm");
  form->Show();
  app.ProcessMessages();

  auto& label = dynamic_cast<TLabel&>(*form->FindComponent("Label1"));
  const LOGFONTA labelFont = FontOf(label.Handle());
  EXPECT_STREQ(labelFont.lfFaceName, "Arial");
  EXPECT_EQ(labelFont.lfHeight, -16);
  EXPECT_EQ(labelFont.lfWeight, FW_BOLD);
  EXPECT_EQ(TextOf(label.Handle()), "Halvora plugin for Nikon(TM) cameras");
  EXPECT_EQ(label.Font().Color(), clBlack);

  // The form's font, as the controls without a font of their own take it.
  auto& combo = *form->CBModel;
  EXPECT_STREQ(FontOf(combo.Handle()).lfFaceName, "Segoe UI");
  EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(GetWindowLongPtrA(combo.Handle(), GWL_STYLE) & 0x3, CBS_DROPDOWNLIST);

  auto& rich = dynamic_cast<TRichEdit&>(*form->FindComponent("RichEdit1"));
  EXPECT_STRNE(TRichEdit::WindowClass(), "EDIT");  // Wine has a rich edit library
  const LONG_PTR richStyle = GetWindowLongPtrA(rich.Handle(), GWL_STYLE);
  EXPECT_NE(richStyle & ES_READONLY, 0);
  EXPECT_NE(richStyle & WS_VSCROLL, 0);
  EXPECT_EQ(richStyle & WS_TABSTOP, 0);
  EXPECT_EQ(GetWindowLongPtrA(rich.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(TextOf(rich.Handle()), "Welcome,\r\n\r\n--- Installation ---");

  auto& image = dynamic_cast<TImage&>(*form->FindComponent("Picture1"));
  EXPECT_EQ(image.Width(), 2);
  EXPECT_EQ(image.Picture().Pixel(0, 0), RGBColor(0, 0, 255));

  auto& button = dynamic_cast<TXMButton&>(*form->FindComponent("ButInstall"));
  EXPECT_FALSE(IsWindowEnabled(button.Handle()));
  EXPECT_EQ(GetWindowLongPtrA(button.Handle(), GWL_STYLE) & 0xF, BS_OWNERDRAW);

  // Tab order follows the description: button, rich edit, combo box.
  EXPECT_EQ(button.TabOrder(), 0);
  EXPECT_EQ(rich.TabOrder(), 1);
  EXPECT_EQ(combo.TabOrder(), 2);
}

TEST_F(Toolkit, ComboBoxSelectionChangeFiresOnChange) {
  TTestForm* form = app.CreateForm<TTestForm>("TTestForm");
  form->Show();
  TComboBox& combo = *form->CBModel;
  // What the list sends its parent when the user picks an item.
  SendMessageA(combo.Handle(), CB_SETCURSEL, 2, 0);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo.Handle()));
  EXPECT_EQ(form->changes, 1);
  EXPECT_EQ(combo.ItemIndex(), 2);
  EXPECT_EQ(combo.Text(), "D850");

  combo.AddItem("Z50");
  EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETCOUNT, 0, 0), 4);
  combo.SetItemIndex(0);
  EXPECT_EQ(form->changes, 1);  // set by the program: no change event
  EXPECT_EQ(combo.Text(), "Model ...");
}

TEST_F(Toolkit, TheFormFollowsAChangeOfItsFontName) {
  TTestForm* form = app.CreateForm<TTestForm>("TTestForm");
  form->Font().SetName("Arial");
  EXPECT_EQ(form->CBModel->Font().Name(), "Arial");
  auto& label = dynamic_cast<TLabel&>(*form->FindComponent("Label1"));
  EXPECT_EQ(label.Font().Height(), -16);
  EXPECT_TRUE(label.Font().Style().Contains(fsBold));
}

// A description made here: the form, then a stored-file set with a real container.
std::vector<std::uint8_t> StorageDescription(const StoredContainer& container) {
  TMemoryStream data;
  container.Write(data);
  TMemoryStream out;
  DescriptionWriter writer(out, 3);
  writer.BeginRecord("TTestForm", "F");
  // Laid out in pixels, as the installer's window is: a scaled form would take the
  // screen's DPI into its font on loading and write that back.
  PropertyValue unscaled;
  unscaled.kind = PropertyKind::Bool;
  writer.WriteProperty("Scaled", unscaled);
  writer.EndRecord();
  writer.BeginRecord("TLabel", "Label1");
  PropertyValue caption;
  caption.kind = PropertyKind::String;
  caption.text = "x";
  writer.WriteProperty("Caption", caption);
  writer.EndRecord();
  writer.BeginRecord("TFileStorage", "FileSto1");
  PropertyValue stored;
  stored.kind = PropertyKind::Binary;
  stored.data = data.Data();
  stored.size = static_cast<std::size_t>(data.Size());
  writer.WriteProperty("StoredData", stored);
  writer.EndRecord();
  return std::vector<std::uint8_t>(out.Data(), out.Data() + out.Size());
}

StoredContainer OneFile() {
  StoredContainer container;
  container.files.emplace_back();
  container.files.back().name = "NkdPTP.dll";
  const std::string bytes(300, 'x');
  container.files.back().data.Write(bytes.data(), bytes.size());
  return container;
}

TEST_F(Toolkit, AStoredFileSetReadsItsContainerAndWritesItBackOnlyWithFiles) {
  app.RegisterFormClass<TTestForm>("TTestForm");
  const std::vector<std::uint8_t> bytes = StorageDescription(OneFile());
  TTestForm form(&app);
  TSpanStream in(bytes.data(), bytes.size());
  LoadDescription(form, in, app.Classes(), form.Handlers());
  auto& storage = dynamic_cast<TFileStorage&>(*form.FindComponent("FileSto1"));
  EXPECT_EQ(storage.Count(), 1);
  EXPECT_EQ(storage.DataSize(), 300);

  TMemoryStream again;
  WriteDescription(form, again, app.Classes());
  EXPECT_EQ(std::vector<std::uint8_t>(again.Data(), again.Data() + again.Size()), bytes);

  // An empty set: its StoredData is not written at all.
  const std::vector<std::uint8_t> empty = StorageDescription(StoredContainer{});
  TTestForm emptyForm(&app);
  TSpanStream emptyIn(empty.data(), empty.size());
  LoadDescription(emptyForm, emptyIn, app.Classes(), emptyForm.Handlers());
  TMemoryStream emptyAgain;
  WriteDescription(emptyForm, emptyAgain, app.Classes());
  // kind, "StoredData", length, the 8 bytes of an empty container
  EXPECT_EQ(emptyAgain.Size(), static_cast<std::int64_t>(empty.size() - (1 + 11 + 4 + 8)));
}

TEST_F(Toolkit, ADamagedDescriptionLeavesNoComponentAndNoWindow) {
  app.RegisterFormClass<TTestForm>("TTestForm");
  std::vector<std::uint8_t> bytes = StorageDescription(OneFile());
  // Every cut, and a container whose last byte is damaged.
  std::vector<std::vector<std::uint8_t>> damaged;
  for (std::size_t size = 0; size < bytes.size(); size += 7)
    damaged.emplace_back(bytes.begin(), bytes.begin() + size);
  bytes[bytes.size() - 5] ^= 0xFF;
  damaged.push_back(bytes);
  for (const std::vector<std::uint8_t>& description : damaged) {
    TTestForm form(&app);
    form.Show();  // a window, so that a label would have made one too
    TSpanStream in(description.data(), description.size());
    EXPECT_THROW(form.LoadFromStream(in, app.Classes()), EDescriptionError) << description.size();
    EXPECT_TRUE(form.Components().empty());
    EXPECT_EQ(GetWindow(form.Handle(), GW_CHILD), nullptr);
  }
}

TEST_F(Toolkit, AFormWithoutItsDescriptionIsNotCreated) {
  EXPECT_THROW(app.CreateForm<TTestForm>("TNoSuchForm"), EDescriptionError);
  EXPECT_EQ(app.MainForm(), nullptr);
  EXPECT_TRUE(app.Components().empty());
}

TEST(OpenDialog, PassesTheFilterAndOptionsAsTheSystemTakesThem) {
  EXPECT_EQ(TOpenDialog::SystemFilter("Halvora executable file  [*.exe]|*.exe"),
            std::string("Halvora executable file  [*.exe]\0*.exe\0\0", 40));
  EXPECT_EQ(TOpenDialog::SystemFlags(OpenOption(ofHideReadOnly) | OpenOption(ofFileMustExist) |
                                     OpenOption(ofEnableSizing)),
            static_cast<unsigned long>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                                       OFN_ENABLESIZING));
  EXPECT_EQ(TOpenDialog::SystemFlags(OpenOption(ofOldStyleDialog)), 0ul);
}

int CALLBACK NoteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The same question asked of the system directly, by family name.
bool SystemHasFont(const char* family) {
  TWindowDC screen(nullptr);
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, family, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExA(screen.Get(), &wanted, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

TEST(Screen, ListsTheInstalledFontsAndShowsTheHourglass) {
  const TStringList& fonts = Screen.Fonts();
  ASSERT_GT(fonts.Count(), 0);
  for (int i = 1; i < fonts.Count(); ++i) EXPECT_LT(fonts.Strings(i - 1), fonts.Strings(i));
  EXPECT_EQ(fonts.IndexOf("Segoe UI") >= 0, SystemHasFont("Segoe UI"));
  EXPECT_EQ(fonts.IndexOf("No Such Font Family"), -1);

  Screen.SetCursor(crHourGlass);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
  Screen.SetCursor(crDefault);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace
