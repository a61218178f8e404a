// The platform's settings store on Windows: the registry, read by each value's
// own kind.
#include <QDir>
#include <QSettings>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/native_path.h"
#include "base/windows_api.h"
#include "stored_value.h"

namespace orvanel {
namespace {

// The key below HKEY_CURRENT_USER that holds `section`.
std::string RegistryKey(const QSettings& settings, const std::string& section) {
  std::string key = QDir::toNativeSeparators(settings.fileName()).toStdString();
  const std::string root = "HKEY_CURRENT_USER\\";
  if (const auto at = key.find(root); at != std::string::npos) key.erase(0, at + root.size());
  return key + "\\" + section;
}

}  // namespace

StoredValue ReadStoredValue(const QSettings& settings, const std::string& section,
                            const std::string& key) {
  const std::wstring wide_key = NativePath(RegistryKey(settings, section)).native();
  const std::wstring wide_name = NativePath(key).native();
  DWORD type = 0;
  DWORD size = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, wide_key.c_str(), wide_name.c_str(),
                     RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) != ERROR_SUCCESS) {
    return {};
  }
  std::vector<unsigned char> data(size + sizeof(wchar_t));
  if (::RegGetValueW(HKEY_CURRENT_USER, wide_key.c_str(), wide_name.c_str(),
                     RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size) != ERROR_SUCCESS) {
    return {};
  }
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      const std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                              size / sizeof(wchar_t));
      return {StoredValue::Kind::kText,
              Utf8Name(std::filesystem::path(text.substr(0, text.find(L'\0'))))};
    }
    case REG_DWORD: {
      std::uint32_t number = 0;
      std::memcpy(&number, data.data(), sizeof number);
      return {StoredValue::Kind::kText, std::to_string(number)};
    }
    case REG_QWORD: {
      std::uint64_t number = 0;
      std::memcpy(&number, data.data(), sizeof number);
      return {StoredValue::Kind::kText, std::to_string(number)};
    }
    default:
      return {StoredValue::Kind::kUnusable, {}};
  }
}

std::string StoredSectionLocation(const QSettings& settings, const std::string& section) {
  return "HKEY_CURRENT_USER\\" + RegistryKey(settings, section);
}

}  // namespace orvanel
