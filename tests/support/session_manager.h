#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace orvanel::testing {

// A session manager of the X Session Management Protocol, just enough for one
// client: it listens, lets the client register, asks it to save, tells it to
// die, or breaks the connection, as a desktop's session manager does at a
// logout or when it crashes. It runs on the test's thread: each wait handles
// the protocol's messages until its condition holds or the time is up.
class SessionManager {
 public:
  SessionManager();
  ~SessionManager();
  SessionManager(const SessionManager&) = delete;
  SessionManager& operator=(const SessionManager&) = delete;

  // The value of SESSION_MANAGER that leads a client here.
  [[nodiscard]] const std::string& Address() const { return address_; }

  // True once a client has connected and registered.
  bool WaitForClient(std::chrono::milliseconds patience);
  // Asks for a save at a logout without interaction (nobody is there), and
  // gives the client's answer: whether its save succeeded. Nothing when it
  // gave none in time.
  std::optional<bool> SaveAtShutdown(std::chrono::milliseconds patience);
  // The logout goes ahead: the client is to end.
  void Die();
  // The session manager is gone: the connection breaks without a word.
  void Vanish();

  struct State;

 private:
  bool HandleUntil(const std::function<bool()>& done, std::chrono::milliseconds patience);

  std::string address_;
  State* state_;
};

}  // namespace orvanel::testing
