#include "error_number.h"

namespace orvanel {

// The C runtime of Windows has no error numbers to fold.
int PlainErrorNumber(int error) {
  return error;
}

}  // namespace orvanel
