#include <cerrno>

#include "error_number.h"

namespace orvanel {

int PlainErrorNumber(int error) {
  return error == EDQUOT ? ENOSPC : error;
}

}  // namespace orvanel
