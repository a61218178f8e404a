#pragma once

#include <stdexcept>
#include <string>
#include <utility>

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

// A pair file could not be opened. Nothing has changed when this is thrown.
class FileOpenError : public OrvanelError {
 public:
  enum class Reason { kFolder, kNotRegular, kSystem };
  FileOpenError(const std::string& sentence, std::string name, Reason reason, int system_error)
      : OrvanelError(sentence),
        name_(std::move(name)),
        reason_(reason),
        systemError_(system_error) {}
  [[nodiscard]] const std::string& Name() const { return name_; }
  [[nodiscard]] Reason Why() const { return reason_; }
  // The errno value behind kSystem (0 when the system gave none).
  [[nodiscard]] int SystemError() const { return systemError_; }

 private:
  std::string name_;
  Reason reason_;
  int systemError_;
};

// The open pair file could not be read any further.
class FileReadError : public OrvanelError {
 public:
  FileReadError(const std::string& sentence, std::string name, int system_error)
      : OrvanelError(sentence), name_(std::move(name)), systemError_(system_error) {}
  [[nodiscard]] const std::string& Name() const { return name_; }
  [[nodiscard]] int SystemError() const { return systemError_; }

 private:
  std::string name_;
  int systemError_;
};

}  // namespace orvanel
