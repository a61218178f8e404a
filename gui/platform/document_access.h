#pragma once

namespace orvanel {

// Has a screen reader meet every read-only text view named "HelpDocument" as a
// document, whose text it can read, rather than as a label (the toolkit's
// role for a text view that cannot be edited). Once per process.
void AnnounceHelpAsDocument();

}  // namespace orvanel
