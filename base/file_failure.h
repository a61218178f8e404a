#pragma once

namespace orvanel {

// Why something could not be done with a file (opened, read, replaced, set
// aside) or with the settings store behind one: what happened, and the
// system's error number where the system gave one. The one model of such a
// failure in the program; the window words it in one place (gui/messages).
struct FileFailure {
  enum class Kind {
    kSystem,             // `systemError` says why (0: the system gave no reason)
    kFolder,             // the name is a folder
    kNotRegular,         // a FIFO, a socket, a device, or a link to one
    kDevice,             // the name of a device (Windows: NUL, CON, COM1, \\.\…)
    kTooLarge,           // far larger than such a file can be
    kNoAnswer,           // the file system did not answer in time
    kUnfinished,         // a write began but did not finish in time: it may still land
    kNoThread,           // no thread could be started to wait for the file system
    kNoHome,             // no home folder is known, so there is no place for the file
    kRefused,            // refused without a reason (the platform's settings store)
    kUnreadableInPlace,  // a file that could not be read could not be set aside
                         // (`systemError` says why)
    kLeftUnread,         // values the store refused to give at the start are kept
                         // as they are, never replaced unread
  };
  Kind kind = Kind::kSystem;
  int systemError = 0;  // errno
  friend bool operator==(const FileFailure&, const FileFailure&) = default;
};

// A failure the system's error number `error` describes.
[[nodiscard]] constexpr FileFailure SystemFailure(int error) {
  return FileFailure{FileFailure::Kind::kSystem, error};
}

}  // namespace orvanel
