// Owners for the platform handles the helpers open: each closes its handle exactly
// once, in its destructor unless Close() was called first. Close() exists for the
// places where a failing close means lost data (a file just written) and has to be
// seen; everywhere else the destructor's close is enough.
#pragma once

#include "system/winapi.h"

template <class Traits>
class TUniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  TUniqueHandle() = default;
  explicit TUniqueHandle(Handle handle) : handle_(handle) {}
  ~TUniqueHandle() { Close(); }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.Release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.Release();
    }
    return *this;
  }

  bool Valid() const { return handle_ != Traits::Invalid(); }
  Handle Get() const { return handle_; }

  // Closes the handle now; false when the platform reports the close as failed.
  // Closing an empty owner succeeds.
  bool Close() {
    if (!Valid()) return true;
    const Handle handle = Release();
    return Traits::Close(handle);
  }

  Handle Release() {
    const Handle handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct TFileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return CloseHandle(handle) != FALSE; }
};

struct TFindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return FindClose(handle) != FALSE; }
};

struct TRegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};

using TFileHandle = TUniqueHandle<TFileHandleTraits>;
using TFindHandle = TUniqueHandle<TFindHandleTraits>;
using TRegKey = TUniqueHandle<TRegKeyTraits>;
