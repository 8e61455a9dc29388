// TOpenDialog: the system's dialog for choosing a file to open. Win32 layer.
#pragma once

#include <cstdint>
#include <string>

#include "base/Component.h"

// Bit n of TOpenOptions: the n-th value below.
enum TOpenOption : std::uint8_t {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing
};
using TOpenOptions = std::uint32_t;

// How a run of the dialog ended.
enum TOpenResult : std::uint8_t {
  orCancelled,          // the user cancelled, or the dialog could not be shown
  orChosen,             // FileName() is the chosen file
  orNameNotInCodePage,  // a file was chosen whose path the system code page cannot spell
  orPathTooLong,        // a file was chosen whose path does not fit the dialog's buffer
};
constexpr TOpenOptions OpenOption(TOpenOption option) {
  return TOpenOptions{1} << option;
}

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
  // The chosen file after Execute(); also the name the dialog starts with.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  // "description|pattern" pairs joined by "|", e.g. "Executables (*.exe)|*.exe".
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter) { filter_ = filter; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int index) { filterIndex_ = index; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& dir) { initialDir_ = dir; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Runs the dialog, owned by the active window of this thread (or the application
  // window). The system answers in UTF-16; FileName() receives the path in the system
  // code page only when it converts exactly, or else its short (8.3) form when that
  // does: a best-fit look-alike (a plain "a" for an "a" with a macron) could name
  // another file.
  TOpenResult Execute();

  // The filter as the system takes it: each "|" a NUL, two NULs at the end.
  static std::string SystemFilter(const std::string& filter);
  // The OFN_ flags for options, always in the Explorer style.
  static unsigned long SystemFlags(TOpenOptions options);

 private:
  std::string defaultExt_;
  std::string fileName_;
  std::string filter_;
  int filterIndex_ = 1;
  std::string initialDir_;
  TOpenOptions options_ = OpenOption(ofHideReadOnly) | OpenOption(ofEnableSizing);
  std::string title_;
};
