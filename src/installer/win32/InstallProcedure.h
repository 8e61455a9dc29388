// The one operation of the installer: check that Halvora is closed and fit for the
// plugin, write the model's files into its folder, and tell the user the outcome.
#pragma once

#include <string>

#include "installer/TXTDat.h"
#include "installer/win32/InstallerHost.h"

class TFileStorage;

// The stored-file sets of the installer window that the plugin's files come from.
struct TPayloadSets {
  TFileStorage& FileStoMD3;    // driver modules, by the model table's values
  TFileStorage& FileStoPTP1;   // NkdPTP.dll for most models
  TFileStorage& FileStoPTP2;   // NkdPTP.dll for the D5600
  TFileStorage& FileStoPTP3;   // NkdPTP.dll for the D850, Z6, Z7 and Z50
  TFileStorage& FileStoOther;  // files every model needs
};

class TInstallProcedure {
 public:
  // host, the sets and the table belong to the installer window and outlive this.
  TInstallProcedure(InstallerHost& host, const TPayloadSets& sets, const TTXTDat& modelTable);

  // The Install button's click. Every outcome is shown to the user; exceptions of
  // the sets' event handlers pass through after the window is usable again. A click
  // that arrives while an install runs (the dialog and the message boxes dispatch
  // messages) does nothing.
  void Install();
  bool Running() const { return running_; }

  // Writes the selected model's driver module and its NkdPTP.dll into InstallDir.
  bool InstallModelFiles();
  // Writes every file of FileStoOther into InstallDir, in stored order, up to the
  // first failure; false for a set without files.
  bool InstallCommonFiles();

  // The Halvora folder of the last accepted choice, ending in a backslash; empty
  // until the first one. Kept between installs.
  const std::string& InstallDir() const { return installDir_; }

 private:
  bool HalvoraIsRunning();
  bool InstallationSupportsPlugin() const;
  TFileStorage& PtpSetFor(const std::string& model);
  void ShowError(const std::string& text);

  InstallerHost& host_;
  TPayloadSets sets_;
  const TTXTDat& modelTable_;
  std::string installDir_;
  bool running_ = false;
};
