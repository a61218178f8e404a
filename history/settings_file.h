#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanel {

// The settings file as the program reads and writes it: an INI file in the
// form QSettings gives it, of which only one section is used.
//
// Reading is lenient, so that a line added by hand never costs the saved values:
// a UTF-8 byte-order mark, CR, LF or CRLF line ends, comments (";" or "#"),
// other sections and lines of any shape are passed over. A section's name may
// have blanks around it and anything after its "]". A value in double quotes
// has backslash escapes; one without quotes is taken as it stands. Each line
// costs its own length, whatever the line ends.
struct SettingsFileContents {
  // The values of the section asked for, by key; the last one of a key counts.
  std::map<std::string, std::string> values;
  // The section was found at least once.
  bool foundSection = false;
  // Anything but blanks and line ends: a file of those is as good as none.
  bool holdsAnything = false;
  // Lines other than the section's header and its `key=value` lines for the
  // keys asked for: the next save does not keep them.
  bool holdsOtherLines = false;
};

[[nodiscard]] SettingsFileContents ReadSettingsFile(std::string_view bytes,
                                                    const std::string& section,
                                                    const std::vector<std::string>& keys);

// The whole text of a file that holds these sections, each with its values in
// the order given. Every value is written in double quotes with its blanks,
// so that a reader (this one, or QSettings) reads back exactly the same text.
using SettingsSection = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
[[nodiscard]] std::string SettingsFileText(const std::vector<SettingsSection>& sections);

}  // namespace orvanel
