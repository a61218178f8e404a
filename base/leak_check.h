#pragma once

namespace orvanel {

// Looks for leaks now, as a build with LeakSanitizer does at an ordinary end;
// nothing in other builds.
void CheckForLeaksNow();

}  // namespace orvanel
