#pragma once

#include <stdexcept>
#include <string>

namespace orvanel {

// Every error the program raises carries a sentence a user can read as it stands.
// The estimator only throws; the window reports them in one place.
class OrvanelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A 32-bit count or conversion left its range.
class OverflowError : public OrvanelError {
 public:
  using OrvanelError::OrvanelError;
};

// A floating-point step produced an invalid operation, a division by zero or an overflow.
class FloatingPointError : public OrvanelError {
 public:
  using OrvanelError::OrvanelError;
};

// An argument outside a function's domain, such as the square root of a negative number.
class InvalidArgumentError : public OrvanelError {
 public:
  using OrvanelError::OrvanelError;
};

// A pair file could not be opened or read.
class FileError : public OrvanelError {
 public:
  using OrvanelError::OrvanelError;
};

}  // namespace orvanel
