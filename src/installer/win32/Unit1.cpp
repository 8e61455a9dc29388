#include "installer/win32/Unit1.h"

#include <exception>

#include "button/win32/MyButton.h"
#include "installer/TXTDat.h"
#include "installer/win32/Win32Desktop.h"
#include "storage/win32/FileStorage.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Bevel.h"
#include "toolkit/win32/ComboBox.h"
#include "toolkit/win32/Image.h"
#include "toolkit/win32/Label.h"
#include "toolkit/win32/OpenDialog.h"
#include "toolkit/win32/RichEdit.h"
#include "toolkit/win32/Screen.h"

namespace {

// The window is laid out for Segoe UI; systems without it get the closest common face.
constexpr const char* kLayoutFont = "Segoe UI";
constexpr const char* kFallbackFont = "Arial";
constexpr int kPlaceholderIndex = 0;  // "Model ...", which names no model

constexpr const char* kUnexpectedCaption = "Error";
constexpr const char* kUnexpectedText = "The installer met an unexpected problem:\r";

}  // namespace

TFormServicePack::TFormServicePack(TComponent* owner) : TForm(owner) {
  Handlers().Add("FormCreate", this, &TFormServicePack::FormCreate);
  Handlers().Add("CBModelChange", this, &TFormServicePack::CBModelChange);
  Handlers().Add("ButQuitClick", this, &TFormServicePack::ButQuitClick);
  Handlers().Add("ButInstallClick", this, &TFormServicePack::ButInstallClick);
}

template <class Work>
void TFormServicePack::Guarded(Work work) {
  try {
    work();
  } catch (const std::exception& e) {
    ShowMessage(mkError, kUnexpectedCaption, kUnexpectedText + std::string(e.what()));
  } catch (...) {
    ShowMessage(mkError, kUnexpectedCaption, kUnexpectedText + std::string("unknown error"));
  }
}

void TFormServicePack::ResolveComponents() {
  Imasplash = &FindComponentAs<TImage>("Imasplash");
  Bevel1 = &FindComponentAs<TBevel>("Bevel1");
  Label1 = &FindComponentAs<TLabel>("Label1");
  ButInstall = &FindComponentAs<TXMButton>("ButInstall");
  ButQuit = &FindComponentAs<TXMButton>("ButQuit");
  RichEdit1 = &FindComponentAs<TRichEdit>("RichEdit1");
  CBModel = &FindComponentAs<TComboBox>("CBModel");
  opendlg = &FindComponentAs<TOpenDialog>("opendlg");
  FileStoMD3 = &FindComponentAs<TFileStorage>("FileStoMD3");
  FileStoPTP1 = &FindComponentAs<TFileStorage>("FileStoPTP1");
  FileStoPTP2 = &FindComponentAs<TFileStorage>("FileStoPTP2");
  TXTDat = &FindComponentAs<TTXTDat>("TXTDat");
  FileStoOther = &FindComponentAs<TFileStorage>("FileStoOther");
  FileStoPTP3 = &FindComponentAs<TFileStorage>("FileStoPTP3");
  const TPayloadSets sets{*FileStoMD3, *FileStoPTP1, *FileStoPTP2, *FileStoPTP3, *FileStoOther};
  install_ = std::make_unique<TInstallProcedure>(*this, sets, *TXTDat);
}

void TFormServicePack::FormCreate(TObject*) {
  // Label1 has a font of its own and keeps it; the other controls follow the form's.
  if (Screen.Fonts().IndexOf(kLayoutFont) < 0) Font().SetName(kFallbackFont);
  const TStringList& models = TXTDat->Lines();
  for (int i = 0; i < models.Count(); ++i) CBModel->AddItem(models.Names(i));
  CBModel->SetItemIndex(kPlaceholderIndex);
}

void TFormServicePack::CBModelChange(TObject*) {
  Guarded([this] { ButInstall->SetEnabled(CBModel->ItemIndex() > kPlaceholderIndex); });
}

void TFormServicePack::ButQuitClick(TObject*) {
  Guarded([this] { Close(); });
}

void TFormServicePack::CancelKey() {
  if (install_ && install_->Running()) return;
  ButQuit->Click();
}

void TFormServicePack::ButInstallClick(TObject*) {
  Guarded([this] { install_->Install(); });
}

const std::string& TFormServicePack::InstallDir() const {
  static const std::string beforeLoading;
  return install_ ? install_->InstallDir() : beforeLoading;
}

bool TFormServicePack::InstallModelFiles() {
  return install_->InstallModelFiles();
}

bool TFormServicePack::InstallCommonFiles() {
  return install_->InstallCommonFiles();
}

bool TFormServicePack::IsWindowOpen(const std::string& title) {
  return TopLevelWindowExists(title);
}

TFileChoice TFormServicePack::ChooseFile(const std::string& initialFolder,
                                         std::string& chosenPath) {
  opendlg->SetInitialDir(initialFolder);
  switch (opendlg->Execute()) {
    case orChosen:
      chosenPath = opendlg->FileName();
      return fcChosen;
    case orNameNotInCodePage:
      return fcNameUnusable;
    case orPathTooLong:
      return fcPathTooLong;
    case orCancelled:
      break;
  }
  return fcCancelled;
}

void TFormServicePack::ShowMessage(TMessageKind kind, const std::string& caption,
                                   const std::string& text) {
  ShowOwnedMessageBox(Application ? Application->Handle() : nullptr, kind, caption, text);
}

void TFormServicePack::SetBusy(bool busy) {
  if (busy) {
    Screen.SetCursor(crHourGlass);
    SetEnabled(false);
  } else {
    SetEnabled(true);
    Screen.SetCursor(crDefault);
  }
}

std::string TFormServicePack::SelectedModel() {
  return CBModel->Text();
}

void TFormServicePack::DisableInstallControls() {
  ButInstall->SetEnabled(false);
  CBModel->SetEnabled(false);
}
