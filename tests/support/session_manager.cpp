#include "session_manager.h"

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvanel::testing {

struct SessionManager::State {
  int listenCount = 0;
  IceListenObj* listeners = nullptr;
  IceConn connection = nullptr;
  SmsConn client = nullptr;
  bool registered = false;
  std::optional<bool> saveSucceeded;
};

namespace {

// A client that goes away is noticed where its connection is read.
void IgnoreBrokenConnection(IceConn) {}

Bool AcceptAnyHost(char*) {
  return True;
}

Status RegisterClient(SmsConn client, SmPointer data, char* previous_id) {
  std::free(previous_id);
  char* id = SmsGenerateClientID(client);
  const Status replied = SmsRegisterClientReply(client, id);
  std::free(id);
  static_cast<SessionManager::State*>(data)->registered = true;
  return replied;
}

void SaveDone(SmsConn, SmPointer data, Bool success) {
  static_cast<SessionManager::State*>(data)->saveSucceeded = success != False;
}

void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
  for (int i = 0; i < count; ++i) SmFreeProperty(properties[i]);
  std::free(properties);
}

void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
  for (int i = 0; i < count; ++i) std::free(names[i]);
  std::free(names);
}

void CloseConnection(SmsConn client, SmPointer data, int count, char** reasons) {
  SmFreeReasons(count, reasons);
  auto* state = static_cast<SessionManager::State*>(data);
  if (state->client == client) state->client = nullptr;
  SmsCleanUp(client);
}

void Ignore(SmsConn, SmPointer) {}
void IgnoreRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void IgnoreInteractRequest(SmsConn, SmPointer, int) {}
void IgnoreInteractDone(SmsConn, SmPointer, Bool) {}

Status NewClient(SmsConn client, SmPointer data, unsigned long* mask, SmsCallbacks* callbacks,
                 char**) {
  static_cast<SessionManager::State*>(data)->client = client;
  *mask = ~0UL;
  callbacks->register_client = {RegisterClient, data};
  callbacks->interact_request = {IgnoreInteractRequest, data};
  callbacks->interact_done = {IgnoreInteractDone, data};
  callbacks->save_yourself_request = {IgnoreRequest, data};
  callbacks->save_yourself_phase2_request = {Ignore, data};
  callbacks->save_yourself_done = {SaveDone, data};
  callbacks->close_connection = {CloseConnection, data};
  callbacks->set_properties = {SetProperties, data};
  callbacks->delete_properties = {DeleteProperties, data};
  callbacks->get_properties = {Ignore, data};
  return 1;
}

}  // namespace

SessionManager::SessionManager() : state_(new State) {
  IceSetIOErrorHandler(IgnoreBrokenConnection);
  char error[256] = {};
  if (!SmsInitialize("orvanel-tests", "1", NewClient, state_, AcceptAnyHost, sizeof error, error)) {
    throw std::runtime_error(std::string("session manager: ") + error);
  }
  if (!IceListenForConnections(&state_->listenCount, &state_->listeners, sizeof error, error)) {
    throw std::runtime_error(std::string("session manager: ") + error);
  }
  for (int i = 0; i < state_->listenCount; ++i) {
    IceSetHostBasedAuthProc(state_->listeners[i], AcceptAnyHost);
  }
  char* address = IceComposeNetworkIdList(state_->listenCount, state_->listeners);
  address_ = address;
  std::free(address);
}

SessionManager::~SessionManager() {
  Vanish();
  IceFreeListenObjs(state_->listenCount, state_->listeners);
  delete state_;
}

bool SessionManager::HandleUntil(const std::function<bool()>& done,
                                 std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!done()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    std::vector<pollfd> watched;
    for (int i = 0; i < state_->listenCount; ++i) {
      watched.push_back({IceGetListenConnectionNumber(state_->listeners[i]), POLLIN, 0});
    }
    if (state_->connection) watched.push_back({IceConnectionNumber(state_->connection), POLLIN, 0});
    if (::poll(watched.data(), watched.size(), static_cast<int>(left.count())) <= 0) continue;
    for (int i = 0; i < state_->listenCount; ++i) {
      if (!(watched[i].revents & POLLIN)) continue;
      IceAcceptStatus status{};
      IceConn accepted = IceAcceptConnection(state_->listeners[i], &status);
      if (accepted && !state_->connection) state_->connection = accepted;
    }
    if (state_->connection && (watched.back().revents & (POLLIN | POLLHUP))) {
      if (IceProcessMessages(state_->connection, nullptr, nullptr) != IceProcessMessagesSuccess) {
        Vanish();
      }
    }
  }
  return true;
}

bool SessionManager::WaitForClient(std::chrono::milliseconds patience) {
  return HandleUntil([this] { return state_->registered; }, patience);
}

std::optional<bool> SessionManager::SaveAtShutdown(std::chrono::milliseconds patience) {
  if (!state_->client) return std::nullopt;
  state_->saveSucceeded.reset();
  SmsSaveYourself(state_->client, SmSaveBoth, True, SmInteractStyleNone, False);
  HandleUntil([this] { return state_->saveSucceeded.has_value(); }, patience);
  return state_->saveSucceeded;
}

void SessionManager::Die() {
  if (state_->client) SmsDie(state_->client);
  HandleUntil([] { return false; }, std::chrono::milliseconds(100));
}

void SessionManager::Vanish() {
  if (!state_->connection) return;
  ::shutdown(IceConnectionNumber(state_->connection), SHUT_RDWR);
  if (state_->client) SmsCleanUp(state_->client);
  IceSetShutdownNegotiation(state_->connection, False);
  IceCloseConnection(state_->connection);
  state_->connection = nullptr;
  state_->client = nullptr;
}

}  // namespace orvanel::testing
