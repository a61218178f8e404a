// The settings file's form: what a hand-edited file gives, and that what is
// written reads back exactly.
#include "history/settings_file.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

#include "history/saved_section.h"

namespace orvanel {
namespace {

const std::string kValid = "[History]\nEstimate=\" 3.13956\"\nTotal=\" 100001\"\nHits=\" 39201\"\n";
const std::map<std::string, std::string> kValidValues = {
    {"Estimate", " 3.13956"}, {"Total", " 100001"}, {"Hits", " 39201"}};

struct FileCase {
  const char* name;
  std::string bytes;
  std::map<std::string, std::string> values;
  bool foundSection;
  bool holdsOtherLines;
};

std::ostream& operator<<(std::ostream& out, const FileCase& c) {
  return out << c.name;
}

class SettingsFileForms : public ::testing::TestWithParam<FileCase> {};

TEST_P(SettingsFileForms, GiveTheHistoryValuesWhateverElseTheFileHolds) {
  const FileCase& c = GetParam();
  const SettingsFileContents read =
      ReadSettingsFile(c.bytes, HistorySection().section, HistorySection().keys);
  EXPECT_EQ(read.values, c.values);
  EXPECT_EQ(read.foundSection, c.foundSection);
  EXPECT_EQ(read.holdsOtherLines, c.holdsOtherLines);
  EXPECT_EQ(read.holdsAnything, c.bytes.find_first_not_of(" \t\r\n\xEF\xBB\xBF") != c.bytes.npos);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFileForms,
    ::testing::Values(
        FileCase{"AsWritten", kValid, kValidValues, true, false},
        FileCase{"HashNoteAfterTheHeader",
                 "[History]\n#note\nEstimate=\" 3.13956\"\nTotal=\" 100001\"\nHits=\" 39201\"\n",
                 kValidValues, true, true},
        FileCase{"HashNoteAtTheEndWithoutALineEnd", kValid + "#note", kValidValues, true, true},
        FileCase{"ByteOrderMark", "\xEF\xBB\xBF" + kValid, kValidValues, true, false},
        FileCase{"LineWithoutEqualsInAnotherSection", kValid + "[Other]\njust words\n",
                 kValidValues, true, true},
        FileCase{"SemicolonComment", "; kept by hand\n" + kValid, kValidValues, true, true},
        FileCase{"CarriageReturnsAndLineFeeds",
                 "[History]\r\nEstimate=\" 3.13956\"\r\nTotal=\" 100001\"\r\nHits=\" 39201\"\r\n",
                 kValidValues, true, false},
        FileCase{"OldMacLineEnds",
                 "[History]\rTotal=5\rHits=2",
                 {{"Total", "5"}, {"Hits", "2"}},
                 true,
                 false},
        FileCase{"ABackslashKeyElsewhere", kValid + "[Notes]\nx\\ =1\n", kValidValues, true, true},
        FileCase{"UnquotedValuesWithBlanksAround",
                 "[History]\n  Total =  12345 \nHits\t=\t3,5\n",
                 {{"Total", "12345"}, {"Hits", "3,5"}},
                 true,
                 false},
        FileCase{"EscapesInQuotes",
                 "[History]\nTotal=\"\\\"1\\\\2\\t\"\n",
                 {{"Total", "\"1\\2\t"}},
                 true,
                 false},
        FileCase{"TheLastOfAKeyCounts",
                 "[History]\nTotal=1\n[History]\nTotal=2\n",
                 {{"Total", "2"}},
                 true,
                 false},
        FileCase{"KeysOfOtherSectionsAreNotTheTallys", "[Other]\nTotal=7\n", {}, false, true},
        FileCase{"AnotherKeyInTheSection",
                 "[History]\nTotal=7\nColour=blue\n",
                 {{"Total", "7"}},
                 true,
                 true},
        FileCase{"SectionNamesAreExact", "[history]\nTotal=7\n", {}, false, true},
        FileCase{
            "BlanksAroundTheSectionName", "[ History\t]\nTotal=7\n", {{"Total", "7"}}, true, false},
        FileCase{"AnythingAfterTheSectionsBracket",
                 "[History]] ; kept\nTotal=7\n",
                 {{"Total", "7"}},
                 true,
                 false},
        FileCase{"Empty", "", {}, false, false},
        FileCase{"BlanksOnly", " \n\t\r\n", {}, false, false},
        FileCase{"RandomText", "\x01\x7F garbage \xFF\n==\n[", {}, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The largest file the store reads, of a million and more notes, in each style
// of line ends: the tally at its end is found (each line is looked at once).
TEST(SettingsFileForms, TheLargestFileIsReadInEveryStyleOfLineEnds) {
  for (const std::string line_end : {"\n", "\r", "\r\n"}) {
    std::string bytes = "[History]" + line_end;
    while (bytes.size() < (16u << 20) - 64) bytes += "#" + line_end;
    bytes += "Total=42" + line_end;
    const SettingsFileContents read =
        ReadSettingsFile(bytes, HistorySection().section, HistorySection().keys);
    EXPECT_EQ(read.values, (std::map<std::string, std::string>{{"Total", "42"}}))
        << static_cast<int>(line_end[0]);
    EXPECT_TRUE(read.holdsOtherLines);
  }
}

TEST(SettingsFileText, ReadsBackExactlyWithItsBlanks) {
  const std::vector<std::pair<std::string, std::string>> values = {
      {"Estimate", " 2.44948974278318"}, {"Total", " 0"}, {"Hits", "-5 \"q\" \\"}};
  const std::string text = SettingsFileText({{"History", values}});
  EXPECT_EQ(text.substr(0, 38), "[History]\nEstimate=\" 2.44948974278318\"");
  const SettingsFileContents read = ReadSettingsFile(text, "History", HistorySection().keys);
  EXPECT_EQ(read.values, (std::map<std::string, std::string>(values.begin(), values.end())));
  EXPECT_FALSE(read.holdsOtherLines);
}

}  // namespace
}  // namespace orvanel
