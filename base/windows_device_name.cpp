#include "windows_device_name.h"

#include <cwctype>
#include <string>

namespace orvanel {

bool NamesAWindowsDevice(const std::filesystem::path& path) {
  std::wstring whole = path.native();
  for (auto& c : whole) c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towupper(c));
  if (whole.rfind(L"\\\\.\\", 0) == 0) return true;
  if (whole.rfind(L"\\\\?\\", 0) == 0) {
    // Long paths on a disk are fine: \\?\C:\… and \\?\UNC\…
    const std::wstring rest = whole.substr(4);
    const bool disk = rest.size() >= 2 && rest[1] == L':';
    if (!disk && rest.rfind(L"UNC\\", 0) != 0) return true;
  }
  std::wstring stem = path.filename().native();
  stem = stem.substr(0, stem.find(L'.'));
  while (!stem.empty() && (stem.back() == L' ' || stem.back() == L':')) stem.pop_back();
  for (auto& c : stem) c = static_cast<wchar_t>(std::towupper(c));
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
    if (stem == device) return true;
  }
  return stem.size() == 4 && (stem.rfind(L"COM", 0) == 0 || stem.rfind(L"LPT", 0) == 0) &&
         stem[3] >= L'1' && stem[3] <= L'9';
}

}  // namespace orvanel
