#include "HeldFile.h"

#include <stdexcept>

#include "system/Folders.h"
#include "system/winapi.h"

namespace {

constexpr DWORD kLongestWatchMs = 20000;
constexpr DWORD kWatchIntervalMs = 5;

}  // namespace

THeldFile::THeldFile(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (!file_.Valid()) {
    throw std::runtime_error("cannot hold " + path + ", error " + std::to_string(GetLastError()));
  }
}

THeldFile::~THeldFile() {
  if (letGo_ == nullptr) return;
  WaitForSingleObject(letGo_, INFINITE);
  CloseHandle(letGo_);
}

void THeldFile::LetGoAfterSeeing(const std::string& mask, unsigned long holdMs) {
  if (letGo_ != nullptr) throw std::logic_error("THeldFile lets go only once");
  mask_ = mask;
  holdMs_ = holdMs;
  letGo_ = CreateThread(nullptr, 0, &THeldFile::LetGo, this, 0, nullptr);
  if (letGo_ == nullptr) throw std::runtime_error("cannot start the thread that lets go");
}

unsigned long __stdcall THeldFile::LetGo(void* self) {
  THeldFile& held = *static_cast<THeldFile*>(self);
  for (DWORD watched = 0; watched < kLongestWatchMs && !FileExists(held.mask_);
       watched += kWatchIntervalMs) {
    Sleep(kWatchIntervalMs);
  }
  Sleep(held.holdMs_);
  held.file_.Close();
  return 0;
}
