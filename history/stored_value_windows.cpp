#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "base/native_path.h"
#include "registry_value.h"

namespace orvanel {

RegistryValue ReadRegistryValue(const std::string& key, const std::string& name) {
  const std::wstring wide_key = NativePath(key).native();
  const std::wstring wide_name = NativePath(name).native();
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
      return {RegistryValue::Kind::kText,
              Utf8Name(std::filesystem::path(text.substr(0, text.find(L'\0'))))};
    }
    case REG_DWORD: {
      std::uint32_t number = 0;
      std::memcpy(&number, data.data(), sizeof number);
      return {RegistryValue::Kind::kText, std::to_string(number)};
    }
    case REG_QWORD: {
      std::uint64_t number = 0;
      std::memcpy(&number, data.data(), sizeof number);
      return {RegistryValue::Kind::kText, std::to_string(number)};
    }
    default:
      return {RegistryValue::Kind::kUnusable, {}};
  }
}

}  // namespace orvanel
