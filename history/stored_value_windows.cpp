// The platform's settings store on Windows: the registry, read by each value's
// own kind and size.
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

bool IsAbsence(LSTATUS status) {
  return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

// A number of `Number`'s size, or unusable where the value has another size:
// its bytes are all there is, none beyond them may be taken.
template <typename Number>
StoredValue NumberOf(const std::vector<unsigned char>& data) {
  if (data.size() != sizeof(Number)) {
    return {StoredValue::Kind::kUnusable, {}, {UnusableKind::What::kWrongSize, data.size()}};
  }
  Number number = 0;
  std::memcpy(&number, data.data(), sizeof number);
  return {StoredValue::Kind::kText, std::to_string(number), {}};
}

}  // namespace

StoredValue ReadStoredValue(const QSettings& settings, const std::string& section,
                            const std::string& key) {
  const std::wstring wide_key = NativePath(RegistryKey(settings, section)).native();
  const std::wstring wide_name = NativePath(key).native();
  HKEY opened = nullptr;
  LSTATUS status =
      ::RegOpenKeyExW(HKEY_CURRENT_USER, wide_key.c_str(), 0, KEY_QUERY_VALUE, &opened);
  if (IsAbsence(status)) return {};
  if (status != ERROR_SUCCESS) return {StoredValue::Kind::kUnreadable, {}, {}};
  // The value as stored, kind and size included; another program may change
  // it between asking its size and reading it.
  DWORD type = REG_NONE;
  std::vector<unsigned char> data;
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = 0;
    status = ::RegQueryValueExW(opened, wide_name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) break;
    data.resize(size);
    status = ::RegQueryValueExW(opened, wide_name.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) continue;
    data.resize(status == ERROR_SUCCESS ? size : 0);
    break;
  }
  ::RegCloseKey(opened);
  if (IsAbsence(status)) return {};
  if (status != ERROR_SUCCESS) return {StoredValue::Kind::kUnreadable, {}, {}};
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      const std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                              data.size() / sizeof(wchar_t));
      return {StoredValue::Kind::kText,
              Utf8Name(std::filesystem::path(text.substr(0, text.find(L'\0')))),
              {}};
    }
    case REG_DWORD:
      return NumberOf<std::uint32_t>(data);
    case REG_QWORD:
      return NumberOf<std::uint64_t>(data);
    case REG_MULTI_SZ:
      return {StoredValue::Kind::kUnusable, {}, {UnusableKind::What::kTexts, data.size()}};
    default:
      return {StoredValue::Kind::kUnusable, {}, {UnusableKind::What::kBinary, data.size()}};
  }
}

std::string StoredSectionLocation(const QSettings& settings, const std::string& section) {
  return "HKEY_CURRENT_USER\\" + RegistryKey(settings, section);
}

}  // namespace orvanel
