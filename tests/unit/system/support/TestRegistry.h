// Registry fixtures of the Windows tests: a key that exists only for the test, and
// a machine value that is put back as it was.
#pragma once

#include <string>
#include <vector>

#include "system/winapi.h"

// A key below HKEY_CURRENT_USER\Software that exists for the life of the object.
class TTestRegistryKey {
 public:
  TTestRegistryKey();
  ~TTestRegistryKey();
  TTestRegistryKey(const TTestRegistryKey&) = delete;
  TTestRegistryKey& operator=(const TTestRegistryKey&) = delete;

  const std::string& Subkey() const { return subkey_; }
  void SetValue(const std::string& name, DWORD type, const std::string& bytes) const;

 private:
  std::string subkey_;
  HKEY key_ = nullptr;
};

// Remembers a registry value (or its absence) and puts it back on destruction, so
// that a test can change or delete a value that belongs to the machine.
class TRegistryValueGuard {
 public:
  TRegistryValueGuard(HKEY root, std::string subkey, std::string name);
  ~TRegistryValueGuard();
  TRegistryValueGuard(const TRegistryValueGuard&) = delete;
  TRegistryValueGuard& operator=(const TRegistryValueGuard&) = delete;

  void Set(const std::string& text) const;
  void Delete() const;

 private:
  HKEY root_;
  std::string subkey_;
  std::string name_;
  bool existed_ = false;
  DWORD type_ = REG_NONE;
  std::vector<BYTE> bytes_;
};
