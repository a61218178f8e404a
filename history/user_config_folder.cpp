#include "user_config_folder.h"

#include <filesystem>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace orvanel {
namespace {

bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

}  // namespace

std::optional<UserConfigFolder> FindUserConfigFolder(
    const std::function<const char*(const char*)>& variable, const std::string& database_home) {
  if (const char* config = variable("XDG_CONFIG_HOME"); IsAbsolute(config)) {
    const std::filesystem::path folder = std::filesystem::path(config).lexically_normal();
    const std::filesystem::path parent =
        folder.has_filename() ? folder.parent_path() : folder.parent_path().parent_path();
    return UserConfigFolder{config, parent.string()};
  }
  const char* home = variable("HOME");
  if (!IsAbsolute(home)) home = database_home.c_str();
  if (!IsAbsolute(home)) return std::nullopt;
  return UserConfigFolder{(std::filesystem::path(home) / ".config").string(), home};
}

std::string DatabaseHome() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
      !found->pw_dir) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace orvanel
