#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "base/file_failure.h"

namespace orvanel {

// Every error the program raises is typed and carries what the window needs to
// tell the user in a plain sentence of the user's language; the window words
// it, in one place (gui/messages). what() only names the error, for a log.
class OrvanelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a checked step was working out.
enum class Quantity {
  kPeopleAsked,           // Total
  kCommonFactorsFound,    // Hits
  kRelativelyPrimePairs,  // Total - Hits
  kEstimate,              // the estimate of pi
  kRandomNumber,          // a number of a random pair
  kCommonFactorBound,     // the bound of the common-factor test
  kStoredCount,           // a count read from the saved history
};

// What went wrong in it.
enum class Fault {
  kLimitReached,        // a count cannot change any further
  kOutOfRange,          // a difference left the 32-bit range
  kDoesNotFit,          // a rounded value does not fit into 32 bits
  kInvalidResult,       // a floating-point invalid operation
  kTooLarge,            // a floating-point overflow
  kDivisionByZero,      // a floating-point division by zero
  kNegativeSquareRoot,  // the square root of a negative number
};

// A checked arithmetic step refused to wrap or to produce a silent infinity or
// NaN. The subclasses tell the kinds apart.
class ArithmeticError : public OrvanelError {
 public:
  ArithmeticError(Fault fault, Quantity quantity);
  [[nodiscard]] Fault Why() const { return fault_; }
  [[nodiscard]] Quantity Of() const { return quantity_; }

 private:
  Fault fault_;
  Quantity quantity_;
};

// A 32-bit count or conversion left its range.
class OverflowError : public ArithmeticError {
 public:
  using ArithmeticError::ArithmeticError;
};

// A floating-point step produced an invalid operation, a division by zero or an overflow.
class FloatingPointError : public ArithmeticError {
 public:
  using ArithmeticError::ArithmeticError;
};

// An argument outside a function's domain: the square root of a negative number.
class InvalidArgumentError : public ArithmeticError {
 public:
  using ArithmeticError::ArithmeticError;
};

// A pair file could not be opened. Nothing has changed when this is thrown.
class FileOpenError : public OrvanelError {
 public:
  FileOpenError(std::string name, FileFailure why);
  [[nodiscard]] const std::string& Name() const { return name_; }
  [[nodiscard]] const FileFailure& Why() const { return why_; }

 private:
  std::string name_;
  FileFailure why_;
};

// The open pair file could not be read any further.
class FileReadError : public OrvanelError {
 public:
  FileReadError(std::string name, FileFailure why);
  [[nodiscard]] const std::string& Name() const { return name_; }
  [[nodiscard]] const FileFailure& Why() const { return why_; }

 private:
  std::string name_;
  FileFailure why_;
};

}  // namespace orvanel
