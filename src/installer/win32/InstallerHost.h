// What the install procedure needs from the window it runs in and from the desktop
// around it. The installer window supplies the real one; tests supply a recording one.
#pragma once

#include <cstdint>
#include <string>

enum TMessageKind : std::uint8_t {
  mkInformation,  // the outcome the user hoped for
  mkError,        // anything that stopped the install
};

// How the user's choice of a file ended.
enum TFileChoice : std::uint8_t {
  fcCancelled,     // no file chosen, which is no failure
  fcChosen,        // the chosen path is given
  fcNameUnusable,  // a file was chosen whose path the system code page cannot spell
  fcPathTooLong,   // a file was chosen whose path is longer than the dialog can return
};

class InstallerHost {
 public:
  virtual ~InstallerHost() = default;

  // Whether a top-level window with exactly this title exists (any class).
  virtual bool IsWindowOpen(const std::string& title) = 0;

  // Runs the open-file dialog starting in initialFolder. With fcChosen, chosenPath
  // receives the full path of the chosen file.
  virtual TFileChoice ChooseFile(const std::string& initialFolder, std::string& chosenPath) = 0;

  // A modal message box owned by the application window, task-modal and top-most.
  virtual void ShowMessage(TMessageKind kind, const std::string& caption,
                           const std::string& text) = 0;

  // Busy: the hourglass cursor and the whole window disabled. Not busy: the window
  // enabled again and the default cursor.
  virtual void SetBusy(bool busy) = 0;

  // The text of the model list's selected entry.
  virtual std::string SelectedModel() = 0;

  // Disables the Install button and the model list for the rest of the run.
  virtual void DisableInstallControls() = 0;
};
