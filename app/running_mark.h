#pragma once

namespace orvanel {

// Lets the installer and the uninstaller see that Orvanel runs, so that they
// ask the user to close it rather than replace or remove files in use: on
// Windows a named mutex, "Orvanel.Running", held until the process ends.
// Nothing elsewhere.
void MarkRunning();

}  // namespace orvanel
