#pragma once

#include <string>
#include <vector>

namespace orvanel {

// Where a store keeps what the program saves: one section and its keys.
struct StoreLayout {
  std::string section;
  std::vector<std::string> keys;
};

// The saved tally: section "History", keys "Estimate", "Total" and "Hits", in
// the order they are read and written.
[[nodiscard]] const StoreLayout& HistoryLayout();

}  // namespace orvanel
