#pragma once

#include <filesystem>

namespace orvanel {

// Windows opens a device, not a file, for the names of its devices (NUL, CON,
// COM1, …) in any folder and with any extension, and for any name in its device
// namespace (\\.\pipe\…, \\.\PhysicalDrive0): none may even be opened, as the
// open alone could wait for the device. Windows only.
[[nodiscard]] bool NamesAWindowsDevice(const std::filesystem::path& path);

}  // namespace orvanel
