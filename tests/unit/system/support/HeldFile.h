// A file held open the way a running program holds its library or a virus scanner a
// file it is scanning: for reading, with no delete sharing, so that it can be neither
// replaced nor deleted while held.
#pragma once

#include <string>

#include "system/Handles.h"

class THeldFile {
 public:
  // Opens path (which must exist) and holds it until the object goes.
  explicit THeldFile(const std::string& path);
  ~THeldFile();
  THeldFile(const THeldFile&) = delete;
  THeldFile& operator=(const THeldFile&) = delete;

  // From another thread, lets go holdMs after a file matching mask (a path with
  // wildcards) first appears, or after 20 s of not seeing one: a hold that begins
  // before the program under test touches the file and ends while it is at work.
  void LetGoAfterSeeing(const std::string& mask, unsigned long holdMs);

 private:
  static unsigned long __stdcall LetGo(void* self);

  TFileHandle file_;
  std::string mask_;
  unsigned long holdMs_ = 0;
  void* letGo_ = nullptr;  // the thread that lets go
};
