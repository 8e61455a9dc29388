#include "TestRegistry.h"

#include <stdexcept>
#include <utility>

#include "system/Handles.h"
#include "tests/unit/support/ScratchSpace.h"

namespace {

TRegKey TryCreateKey(HKEY root, const std::string& subkey) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return TRegKey();
  }
  return TRegKey(key);
}

TRegKey CreateKey(HKEY root, const std::string& subkey) {
  TRegKey key = TryCreateKey(root, subkey);
  if (!key.Valid()) throw std::runtime_error("cannot create the registry key " + subkey);
  return key;
}

void Require(LONG result, const std::string& what) {
  if (result != ERROR_SUCCESS)
    throw std::runtime_error(what + " failed, error " + std::to_string(result));
}

const char kTestRoot[] = "Software\\HalvoraInstallerTests";

}  // namespace

TTestRegistryKey::TTestRegistryKey()
    : subkey_(std::string(kTestRoot) + "\\" + UniqueTestSuffix()),
      key_(CreateKey(HKEY_CURRENT_USER, subkey_).Release()) {}

TTestRegistryKey::~TTestRegistryKey() {
  RegCloseKey(key_);
  RegDeleteKeyA(HKEY_CURRENT_USER, subkey_.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kTestRoot);  // refused while another test's key is in it
}

void TTestRegistryKey::SetValue(const std::string& name, DWORD type,
                                const std::string& bytes) const {
  Require(RegSetValueExA(key_, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size())),
          "RegSetValueExA " + name);
}

TRegistryValueGuard::TRegistryValueGuard(HKEY root, std::string subkey, std::string name)
    : root_(root), subkey_(std::move(subkey)), name_(std::move(name)) {
  const TRegKey key = CreateKey(root_, subkey_);
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), name_.c_str(), nullptr, &type_, nullptr, &size) !=
      ERROR_SUCCESS) {
    return;
  }
  bytes_.resize(size);
  Require(RegQueryValueExA(key.Get(), name_.c_str(), nullptr, &type_, bytes_.data(), &size),
          "RegQueryValueExA " + name_);
  bytes_.resize(size);
  existed_ = true;
}

TRegistryValueGuard::~TRegistryValueGuard() {
  const TRegKey key = TryCreateKey(root_, subkey_);
  if (!key.Valid()) return;
  if (existed_) {
    RegSetValueExA(key.Get(), name_.c_str(), 0, type_, bytes_.data(),
                   static_cast<DWORD>(bytes_.size()));
  } else {
    RegDeleteValueA(key.Get(), name_.c_str());
  }
}

void TRegistryValueGuard::Set(const std::string& text) const {
  const TRegKey key = CreateKey(root_, subkey_);
  Require(RegSetValueExA(key.Get(), name_.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1)),
          "RegSetValueExA " + name_);
}

void TRegistryValueGuard::Delete() const {
  const TRegKey key = CreateKey(root_, subkey_);
  const LONG result = RegDeleteValueA(key.Get(), name_.c_str());
  if (result != ERROR_FILE_NOT_FOUND) Require(result, "RegDeleteValueA " + name_);
}
