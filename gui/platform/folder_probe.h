#pragma once

#include <QString>

#include <chrono>
#include <functional>

namespace orvanel {

// What looking at a folder gave, within a short patience.
enum class FolderAnswer {
  kFolder,    // there, and a folder
  kNotThere,  // missing, or no folder: the dialog starts elsewhere as it always does
  kNoAnswer,  // the file system did not answer in time (a mount that stopped answering)
};

// Looks at a folder before a file dialog opens there. Qt's dialog looks at
// the folder it starts in on the window's thread: on a mount that stopped
// answering, that would hold the window's thread in the kernel for as long as
// the mount hangs. Tests put in one that answers as they say.
using FolderProbe = std::function<FolderAnswer(const QString& folder)>;

// How long the window waits for a folder to answer: long enough for a disk
// that spins up, short enough that a signal still ends the program in time.
inline constexpr std::chrono::milliseconds kFolderPatience{500};

// Looks at `folder` on a helper thread, waiting at most kFolderPatience; the
// helper is left behind when it does not answer.
[[nodiscard]] FolderAnswer LookPatiently(const QString& folder);

}  // namespace orvanel
