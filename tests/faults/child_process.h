#pragma once
// Runs part of a test in a forked child: one to be killed in the middle of its work, one that runs as
// another user, or one that mounts a file system of its own. What the child writes comes back as text.

#include <sys/types.h>

#include <functional>
#include <string>

namespace jizdavo::testing {

class ChildProcess {
 public:
  // Forks; the child runs `body` with the write end of a pipe and then exits.
  explicit ChildProcess(const std::function<void(int reportFd)>& body);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // A child still running is killed, and every child is reaped.
  ~ChildProcess();

  // Waits for the next byte the child writes; false when it ended without writing one.
  bool ReadByte();
  // Everything the child writes from now until it ends.
  std::string ReadToEnd();
  void Kill();
  pid_t Pid() const { return pid_; }
  // The child's wait status (it must have ended or been killed).
  int Wait();

 private:
  pid_t pid_ = -1;
  int readFd_ = -1;
  int status_ = 0;
};

// Runs `body` in a child and returns its text; an exception or an abnormal end shows in the text.
std::string RunInChild(const std::function<std::string()>& body);

// Runs `body` in a child as an ordinary user: a test run as root, whom permissions do not stop, runs
// it as "nobody" (give that user the folders it needs); anyone else runs it as themselves.
std::string RunWithoutRoot(const std::function<std::string()>& body);
uid_t UnprivilegedUser();
gid_t UnprivilegedGroup();

// Writes all of `text` to `fd`.
void WriteText(int fd, const std::string& text);

}  // namespace jizdavo::testing
