// One copy per user on Linux and other Unix systems: the first copy holds a
// lock in the user's runtime folder for as long as it runs (the system drops it
// with the process, however that ends) and listens on a local socket beside it.
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "base/unique_descriptor.h"
#include "single_copy.h"

namespace orvanel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kAnswerPatience{1000};
// What the first copy answers once asked.
constexpr char kAnswer = '+';

// A folder of this user's that nobody else may use.
bool OwnFolder(const std::string& folder) {
  struct stat status {};
  return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

// The user's runtime folder, $XDG_RUNTIME_DIR; else one of the user's own in
// the temporary folder, made when missing. Empty when neither can be had.
std::string RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/' && OwnFolder(runtime)) return runtime;
  const char* temporary = std::getenv("TMPDIR");
  const std::string folder =
      std::string(temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp") + "/orvanel-" +
      std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) == 0) ::chmod(folder.c_str(), 0700);
  return OwnFolder(folder) ? folder : std::string();
}

// Waits for `events` on `descriptor` until `deadline`.
bool Ready(int descriptor, short events, Clock::time_point deadline) {
  while (true) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd waiting{descriptor, events, 0};
    const int ready = ::poll(&waiting, 1, static_cast<int>(left));
    if (ready > 0) return (waiting.revents & events) != 0;
    if (ready < 0 && errno != EINTR) return false;
  }
}

// Asks the copy that holds the lock to bring its window forward. It may have
// taken the lock a moment ago and not be listening yet: asked again until the
// patience runs out.
SingleCopy::Claim AskTheFirst(const sockaddr_un& address) {
  const auto deadline = Clock::now() + kAnswerPatience;
  do {
    const UniqueDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.IsOpen()) break;
    const auto* raw = reinterpret_cast<const sockaddr*>(&address);
    if (::connect(socket.Get(), raw, sizeof address) == 0 ||
        (errno == EINPROGRESS && Ready(socket.Get(), POLLOUT, deadline))) {
      char answer = 0;
      if (Ready(socket.Get(), POLLIN, deadline) && ::read(socket.Get(), &answer, 1) == 1 &&
          answer == kAnswer) {
        return SingleCopy::Claim::kBroughtForward;
      }
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (Clock::now() < deadline);
  return SingleCopy::Claim::kOtherDoesNotAnswer;
}

}  // namespace

struct SingleCopy::Place {
  UniqueDescriptor lock;
  UniqueDescriptor listening;
};

SingleCopy::SingleCopy() {
  const std::string folder = RuntimeFolder();
  if (folder.empty()) return;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socket_name = folder + "/orvanel.socket";
  if (socket_name.size() >= sizeof address.sun_path) return;
  socket_name.copy(address.sun_path, socket_name.size());

  UniqueDescriptor lock(
      ::open((folder + "/orvanel.lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!lock.IsOpen()) return;
  if (::flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) claim_ = AskTheFirst(address);
    return;
  }
  // The first copy: a socket that a killed copy left behind goes.
  ::unlink(socket_name.c_str());
  UniqueDescriptor listening(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (listening.IsOpen() &&
      (::bind(listening.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
       ::listen(listening.Get(), 4) != 0)) {
    listening = UniqueDescriptor();
  }
  place_ = std::make_unique<Place>(Place{std::move(lock), std::move(listening)});
}

SingleCopy::~SingleCopy() = default;

void SingleCopy::BringForwardOnRequest(QWidget& window) {
  if (!place_ || !place_->listening.IsOpen()) return;
  auto* requests = new QSocketNotifier(place_->listening.Get(), QSocketNotifier::Read, &window);
  QObject::connect(requests, &QSocketNotifier::activated, &window, [this, &window] {
    bool asked = false;
    while (true) {
      const UniqueDescriptor asking(
          ::accept4(place_->listening.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
      if (!asking.IsOpen()) break;
      [[maybe_unused]] const auto answered = ::write(asking.Get(), &kAnswer, 1);
      asked = true;
    }
    if (!asked) return;
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
  });
}

}  // namespace orvanel
