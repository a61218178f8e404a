#pragma once

#include <string>
#include <vector>

namespace orvanel {

// What the program saves in a store: one section and its keys.
struct SavedSection {
  std::string section;
  std::vector<std::string> keys;
};

// The saved tally: section "History", keys "Estimate", "Total" and "Hits", in
// the order they are read and written.
[[nodiscard]] const SavedSection& HistorySection();

}  // namespace orvanel
