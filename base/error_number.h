#pragma once

namespace orvanel {

// The system's error number as the messages tell it: kinds a person need not
// tell apart become one (a quota that is used up is a disk that is full).
[[nodiscard]] int PlainErrorNumber(int error);

}  // namespace orvanel
