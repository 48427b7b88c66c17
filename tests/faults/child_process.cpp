#include "faults/child_process.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

#include "platform/error.h"

namespace jizdavo::testing {

ChildProcess::ChildProcess(const std::function<void(int reportFd)>& body) {
  int fds[2];
  if (::pipe(fds) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::close(fds[0]);
    body(fds[1]);
    ::_exit(0);
  }
  ::close(fds[1]);
  readFd_ = fds[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    Kill();
    Wait();
  }
  if (readFd_ >= 0) ::close(readFd_);
}

bool ChildProcess::ReadByte() {
  char byte = 0;
  for (;;) {
    const ssize_t got = ::read(readFd_, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    return got == 1;
  }
}

std::string ChildProcess::ReadToEnd() {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(readFd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return text;
    text.append(buffer, static_cast<size_t>(got));
  }
}

void ChildProcess::Kill() {
  if (pid_ > 0) ::kill(pid_, SIGKILL);
}

int ChildProcess::Wait() {
  if (pid_ > 0) {
    while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }
  return status_;
}

void WriteText(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<size_t>(written);
  }
}

std::string RunInChild(const std::function<std::string()>& body) {
  ChildProcess child([&body](int fd) {
    try {
      WriteText(fd, body());
    } catch (const std::exception& error) {
      WriteText(fd, std::string("exception: ") + error.what());
    }
  });
  std::string text = child.ReadToEnd();
  const int status = child.Wait();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) text += "\n(the child ended abnormally)";
  return text;
}

uid_t UnprivilegedUser() {
  const passwd* nobody = ::getpwnam("nobody");
  return nobody != nullptr ? nobody->pw_uid : 65534;
}

gid_t UnprivilegedGroup() {
  const passwd* nobody = ::getpwnam("nobody");
  return nobody != nullptr ? nobody->pw_gid : 65534;
}

std::string RunWithoutRoot(const std::function<std::string()>& body) {
  return RunInChild([&body] {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(UnprivilegedGroup()) != 0 ||
                             ::setuid(UnprivilegedUser()) != 0)) {
      return std::string("cannot become an unprivileged user: ") + std::strerror(errno);
    }
    return body();
  });
}

}  // namespace jizdavo::testing
