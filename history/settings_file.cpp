#include "settings_file.h"

#include <algorithm>

#include "base/text.h"

namespace orvanel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Blanks around a line, a key or a value are no part of them.
constexpr std::string_view kBlanks = " \t";

// The escapes QSettings writes inside double quotes; any other escaped
// character stands for itself.
char Unescaped(char c) {
  switch (c) {
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case 'r':
      return '\r';
    case '0':
      return '\0';
    default:
      return c;
  }
}

std::string ValueText(std::string_view raw) {
  if (raw.empty() || raw.front() != '"') return std::string(raw);
  std::string text;
  for (std::size_t i = 1; i < raw.size() && raw[i] != '"'; ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size()) {
      text += Unescaped(raw[++i]);
    } else {
      text += raw[i];
    }
  }
  return text;
}

std::string Quoted(const std::string& value) {
  std::string text = "\"";
  for (const char c : value) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text + '"';
}

}  // namespace

SettingsFileContents ReadSettingsFile(std::string_view bytes, const std::string& section,
                                      const std::vector<std::string>& keys) {
  SettingsFileContents contents;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  bool inSection = false;
  while (!bytes.empty()) {
    // One look for the line's end, whichever style: each line costs its own length.
    const std::size_t end = bytes.find_first_of("\r\n");
    const std::string_view line = Trimmed(bytes.substr(0, end), kBlanks);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.empty()) continue;
    contents.holdsAnything = true;
    if (line.front() == '[') {
      // As people write it: blanks around the name, anything after its "]".
      const std::string_view name = Trimmed(line.substr(1, line.find(']') - 1), kBlanks);
      inSection = name == section;
      contents.foundSection = contents.foundSection || inSection;
      contents.holdsOtherLines = contents.holdsOtherLines || !inSection;
      continue;
    }
    const std::size_t equals = line.find('=');
    const bool isKeyLine =
        inSection && line.front() != ';' && line.front() != '#' && equals != std::string_view::npos;
    const std::string key(isKeyLine ? Trimmed(line.substr(0, equals), kBlanks)
                                    : std::string_view());
    if (!isKeyLine || std::find(keys.begin(), keys.end(), key) == keys.end()) {
      contents.holdsOtherLines = true;
      continue;
    }
    contents.values[key] = ValueText(Trimmed(line.substr(equals + 1), kBlanks));
  }
  return contents;
}

std::string SettingsFileText(const std::vector<SettingsSection>& sections) {
  std::string text;
  for (const auto& [name, values] : sections) {
    if (!text.empty()) text += '\n';
    text += "[" + name + "]\n";
    for (const auto& [key, value] : values) text += key + "=" + Quoted(value) + "\n";
  }
  return text;
}

}  // namespace orvanel
