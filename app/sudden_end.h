#pragma once

namespace orvanel {

class Main;

// The exit status when a library ended the process and the tally was saved
// first; 1 when it could not be.
inline constexpr int kEndedFromOutsideTallySaved = 3;

// While it lives, a library that ends the process with exit() (the toolkit
// does when the display's connection breaks: a dropped ssh -X, an X server
// gone) has the tally of `window` saved first, as on a way out on which nobody
// may be present; the process then ends with kEndedFromOutsideTallySaved, or
// 1 when the save failed. An exit() on any thread but the window's is left
// alone.
class SaveAtSuddenEnd {
 public:
  explicit SaveAtSuddenEnd(Main& window);
  ~SaveAtSuddenEnd();
  SaveAtSuddenEnd(const SaveAtSuddenEnd&) = delete;
  SaveAtSuddenEnd& operator=(const SaveAtSuddenEnd&) = delete;
};

}  // namespace orvanel
