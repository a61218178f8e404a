#include "errors.h"

namespace orvanel {

ArithmeticError::ArithmeticError(Fault fault, Quantity quantity)
    : OrvanelError("arithmetic error"), fault_(fault), quantity_(quantity) {}

FileOpenError::FileOpenError(std::string name, FileFailure why)
    : OrvanelError("cannot open \"" + name + "\""), name_(std::move(name)), why_(why) {}

FileReadError::FileReadError(std::string name, FileFailure why)
    : OrvanelError("cannot read \"" + name + "\""), name_(std::move(name)), why_(why) {}

}  // namespace orvanel
