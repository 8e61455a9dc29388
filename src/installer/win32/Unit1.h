// TFormServicePack: the installer's one window. It is built from its stored
// description (splash picture, title, welcome text, model list, Install and Close,
// the model table and the five stored-file sets), fills the model list when it is
// created and runs the install procedure, to which it is the InstallerHost.
// Win32 layer.
#pragma once

#include <memory>
#include <string>

#include "installer/win32/InstallProcedure.h"
#include "installer/win32/InstallerHost.h"
#include "toolkit/win32/Form.h"

class TBevel;
class TComboBox;
class TFileStorage;
class TImage;
class TLabel;
class TOpenDialog;
class TRichEdit;
class TTXTDat;
class TXMButton;

class TFormServicePack : public TForm, public InstallerHost {
 public:
  explicit TFormServicePack(TComponent* owner);

  // The components, found by name once the description has made them; the window
  // owns them.
  TImage* Imasplash = nullptr;
  TBevel* Bevel1 = nullptr;
  TLabel* Label1 = nullptr;
  TXMButton* ButInstall = nullptr;
  TXMButton* ButQuit = nullptr;
  TRichEdit* RichEdit1 = nullptr;
  TComboBox* CBModel = nullptr;
  TOpenDialog* opendlg = nullptr;
  TFileStorage* FileStoMD3 = nullptr;
  TFileStorage* FileStoPTP1 = nullptr;
  TFileStorage* FileStoPTP2 = nullptr;
  TTXTDat* TXTDat = nullptr;
  TFileStorage* FileStoOther = nullptr;
  TFileStorage* FileStoPTP3 = nullptr;

  // The handlers the description names.
  void FormCreate(TObject* sender);
  void CBModelChange(TObject* sender);
  void ButQuitClick(TObject* sender);
  void ButInstallClick(TObject* sender);

  // The install procedure's view of the window (see InstallProcedure.h).
  const std::string& InstallDir() const;
  bool InstallModelFiles();
  bool InstallCommonFiles();

  // InstallerHost.
  bool IsWindowOpen(const std::string& title) override;
  TFileChoice ChooseFile(const std::string& initialFolder, std::string& chosenPath) override;
  void ShowMessage(TMessageKind kind, const std::string& caption, const std::string& text) override;
  void SetBusy(bool busy) override;
  std::string SelectedModel() override;
  void DisableInstallControls() override;

 protected:
  void ResolveComponents() override;
  // Esc closes the window as Close does, but not while an install runs.
  void CancelKey() override;

 private:
  // Runs a handler's work; what escapes it is shown to the user, since no exception
  // may travel up through the window system's dispatch.
  template <class Work>
  void Guarded(Work work);

  std::unique_ptr<TInstallProcedure> install_;
};
