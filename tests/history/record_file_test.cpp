// The chart's record in its own file: read once, written apart, and never in
// the place of a file that could not be read.
#include "history/record_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "support/temp_files.h"

namespace orvanel {
namespace {

using namespace std::chrono_literals;

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const SavedRecord kRecord{{{1, 2.449}, {8, 3.0}}, 0};

// What Load finds decides what it gives and whether Save may replace the file.
TEST(RecordFile, IsReplacedOnlyWhereItWasRead) {
  const struct {
    const char* name;
    const char* contents;  // none: no file; "/": a folder in its place
    std::optional<SavedRecord> loaded;
    bool replaced;
  } cases[] = {
      {"None", nullptr, std::nullopt, true},
      {"Saved", "Orvanel convergence record 1\n3 3\n", SavedRecord{{{3, 3.0}}, 0}, true},
      {"Damaged", "Orvanel convergence record 1\n3 three\n", std::nullopt, true},
      {"NotARecord", "\x89PNG", std::nullopt, true},
      {"AFolder", "/", std::nullopt, false},
  };
  for (const auto& c : cases) {
    testing::TempFolder folder;
    const auto path = folder.Path() / "record.txt";
    if (c.contents && std::string(c.contents) == "/") {
      std::filesystem::create_directory(path);
    } else if (c.contents) {
      std::ofstream(path, std::ios::binary) << c.contents;
    }
    RecordFile file(Utf8(path));
    EXPECT_EQ(file.Load(testing::kBeyondAnyLoad), c.loaded) << c.name;
    file.Save(kRecord);
    file.Finish(testing::kBeyondAnyLoad);
    EXPECT_EQ(std::filesystem::is_regular_file(path) && Contents(path) == RecordText(kRecord),
              c.replaced)
        << c.name;
  }
}

// Saves come faster than the disk: each is written after the one under way,
// the last one last, and the way out waits for it.
TEST(RecordFile, WritesTheLatestRecordLast) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "record.txt";
  RecordFile file(Utf8(path));
  ASSERT_EQ(file.Load(testing::kBeyondAnyLoad), std::nullopt);
  SavedRecord record;
  for (std::int64_t pairs = 1; pairs <= 200; ++pairs) {
    record.points.push_back({pairs, 3.0});
    file.Save(record);
  }
  file.Finish(testing::kBeyondAnyLoad);
  EXPECT_EQ(Contents(path), RecordText(record));
  RecordFile again(Utf8(path));
  EXPECT_EQ(again.Load(testing::kBeyondAnyLoad), record);
}

// Nothing is written before the file was read, nor where no place is known.
TEST(RecordFile, WritesNothingUnreadOrWithoutAPlace) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "record.txt";
  RecordFile unread(Utf8(path));
  unread.Save(kRecord);
  unread.Finish(testing::kBeyondAnyLoad);
  EXPECT_FALSE(std::filesystem::exists(path));
  RecordFile nowhere("");
  EXPECT_EQ(nowhere.Load(testing::kBeyondAnyLoad), std::nullopt);
  nowhere.Save(kRecord);
  nowhere.Finish(0ms);
}

}  // namespace
}  // namespace orvanel
