#pragma once

namespace orvanel {

// Ends the process with `status` at once, once what it wrote to stdout and
// stderr is out. No destructor of a static object runs, and no other thread
// runs on: a helper left waiting on the file system (by design: a network
// mount that stopped answering) may answer at any moment, and must never meet
// an object the end of the program is tearing down. Whatever must last, the
// tally above all, is saved before this is called. A build with
// LeakSanitizer looks for leaks first, as an ordinary end would.
[[noreturn]] void EndProcess(int status);

}  // namespace orvanel
