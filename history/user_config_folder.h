#pragma once

#include <functional>
#include <optional>
#include <string>

namespace orvanel {

// Where programs keep their settings on Linux and other Unix systems, as the
// XDG rules say: $XDG_CONFIG_HOME when it is an absolute path; else .config in
// $HOME when that is one; else .config in the home folder of the user database.
// A relative or empty value counts as none. Names are bytes as the environment
// holds them, in whatever encoding: the file system takes them as they are.
struct UserConfigFolder {
  std::string folder;  // the settings of all programs go below it
  std::string base;    // must exist already: a save makes folders only below it
  friend bool operator==(const UserConfigFolder&, const UserConfigFolder&) = default;
};

// `variable` reads the environment (std::getenv, or a test's); `database_home`
// is the user database's home folder (DatabaseHome(), or a test's). Nothing
// when no home is known at all.
[[nodiscard]] std::optional<UserConfigFolder> FindUserConfigFolder(
    const std::function<const char*(const char*)>& variable, const std::string& database_home);

// The home folder the user database gives for this process's user; empty when
// it gives none.
[[nodiscard]] std::string DatabaseHome();

}  // namespace orvanel
