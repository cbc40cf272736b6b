// startProgram, runProgram and the pipe helpers: posix_spawn and poll.
//
// This process ignores SIGPIPE: a child that stopped reading must show up
// as a write error here, not end the test run.
#include "tests/robustness/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

extern char** environ;

namespace {
// This process's environment without the variables that change what the
// program does by default (a default place, a time zone): the tests state
// those on the command line when they need them.
char** childEnvironment() {
  static std::vector<char*> kept = [] {
    std::vector<char*> variables;
    for (char** v = environ; *v != nullptr; ++v) {
      const std::string_view variable = *v;
      if (!variable.starts_with("EPHEMERIDES_LIEU=") && !variable.starts_with("TZ=")) {
        variables.push_back(*v);
      }
    }
    variables.push_back(nullptr);
    return variables;
  }();
  return kept.data();
}

// The words that start the program: its path, after the words of
// EPHEMERIDES_TEST_WRAPPER when that is set.
const std::vector<std::string>& programCommand() {
  static const std::vector<std::string> command = [] {
    std::vector<std::string> words;
    if (const char* wrapper = std::getenv("EPHEMERIDES_TEST_WRAPPER")) {
      std::istringstream split(wrapper);
      for (std::string word; split >> word;) {
        words.push_back(word);
      }
    }
    const char* program = std::getenv("EPHEMERIDES_TEST_PROGRAM");
    words.emplace_back(program != nullptr && *program != '\0' ? program : kProgram);
    return words;
  }();
  return command;
}

// The argument vector: the command's words, the arguments, a null pointer.
std::vector<char*> argvOf(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& word : programCommand()) {
    argv.push_back(const_cast<char*>(word.c_str()));
  }
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  return argv;
}
}  // namespace

namespace {
using Clock = std::chrono::steady_clock;

void check(bool ok, const char* what) {
  if (!ok) {
    throw std::runtime_error(std::string(what) + " failed: errno " + std::to_string(errno));
  }
}

void closeFd(int& fd) {
  if (fd >= 0) {
    ::close(fd);
    fd = -1;
  }
}

int millisecondsLeft(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

// Appends what one read brings; false at the end of the stream.
bool readSome(int fd, std::string& into) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<std::size_t>(n));
      return true;
    }
    if (n == 0) {
      return false;
    }
    if (errno == EINTR) {
      continue;
    }
    if (errno == EAGAIN) {
      return true;
    }
    check(false, "read");
  }
}

// Waits for the child's end until the deadline, then kills it.
void reap(pid_t pid, Clock::time_point deadline, Transcript& result) {
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    check(done >= 0, "waitpid");
    if (done == pid) {
      break;
    }
    if (Clock::now() >= deadline) {
      result.timedOut = true;
      ::kill(pid, SIGKILL);
      check(::waitpid(pid, &status, 0) == pid, "waitpid");
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (WIFEXITED(status)) {
    result.exitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.killedBy = WTERMSIG(status);
  }
}
}  // namespace

Child startProgram(const char* outputFile, bool ignoringSigpipe,
                   const std::vector<std::string>& arguments) {
  ::signal(SIGPIPE, SIG_IGN);
  int in[2] = {-1, -1};
  int out[2] = {-1, -1};
  int err[2] = {-1, -1};
  check(::pipe2(in, O_CLOEXEC) == 0, "pipe2");
  check(::pipe2(err, O_CLOEXEC) == 0, "pipe2");
  if (outputFile == nullptr) {
    check(::pipe2(out, O_CLOEXEC) == 0, "pipe2");
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  if (outputFile == nullptr) {
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile, O_WRONLY, 0);
  }
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  if (!ignoringSigpipe) {
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  }

  Child child;
  std::vector<char*> argv = argvOf(arguments);
  const int failed =
      ::posix_spawnp(&child.pid, argv[0], &actions, &attributes, argv.data(), childEnvironment());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(in[0]);
  ::close(err[1]);
  if (outputFile == nullptr) {
    ::close(out[1]);
  }
  errno = failed;
  check(failed == 0, "posix_spawn");
  child.input = in[1];
  child.output = out[0];
  child.errors = err[0];
  return child;
}

Child startOnTerminal(const std::vector<std::string>& arguments) {
  ::signal(SIGPIPE, SIG_IGN);
  int master = -1;
  int terminal = -1;
  termios modes{};
  check(::openpty(&master, &terminal, nullptr, nullptr, nullptr) == 0, "openpty");
  check(::tcgetattr(terminal, &modes) == 0, "tcgetattr");
  // Lines as typed, Ctrl-D as the end of the input, but no echo of what is
  // typed and no carriage return added to the program's line ends.
  modes.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  modes.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  check(::tcsetattr(terminal, TCSANOW, &modes) == 0, "tcsetattr");
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  ::fcntl(terminal, F_SETFD, FD_CLOEXEC);
  int err[2] = {-1, -1};
  check(::pipe2(err, O_CLOEXEC) == 0, "pipe2");

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, terminal, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, terminal, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  Child child;
  std::vector<char*> argv = argvOf(arguments);
  const int failed =
      ::posix_spawnp(&child.pid, argv[0], &actions, nullptr, argv.data(), childEnvironment());
  posix_spawn_file_actions_destroy(&actions);
  ::close(terminal);
  ::close(err[1]);
  errno = failed;
  check(failed == 0, "posix_spawn");
  child.input = master;
  child.output = ::dup(master);
  child.errors = err[0];
  return child;
}

Child startWithErrorsOnTerminal(const char* outputFile, const std::vector<std::string>& arguments) {
  ::signal(SIGPIPE, SIG_IGN);
  int master = -1;
  int terminal = -1;
  termios modes{};
  check(::openpty(&master, &terminal, nullptr, nullptr, nullptr) == 0, "openpty");
  check(::tcgetattr(terminal, &modes) == 0, "tcgetattr");
  modes.c_oflag &= ~static_cast<tcflag_t>(OPOST);  // the bytes as written
  check(::tcsetattr(terminal, TCSANOW, &modes) == 0, "tcsetattr");
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  ::fcntl(terminal, F_SETFD, FD_CLOEXEC);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile,
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, terminal, STDERR_FILENO);
  Child child;
  std::vector<char*> argv = argvOf(arguments);
  const int failed =
      ::posix_spawnp(&child.pid, argv[0], &actions, nullptr, argv.data(), childEnvironment());
  posix_spawn_file_actions_destroy(&actions);
  ::close(terminal);
  errno = failed;
  check(failed == 0, "posix_spawn");
  child.errors = master;
  return child;
}

Transcript runProgram(std::string_view input, const char* outputFile, std::chrono::seconds patience,
                      const std::vector<std::string>& arguments) {
  const Clock::time_point deadline = Clock::now() + patience;
  Child child = startProgram(outputFile, false, arguments);
  check(::fcntl(child.input, F_SETFL, O_NONBLOCK) == 0, "fcntl");
  Transcript result;
  std::size_t sent = 0;
  if (input.empty()) {
    closeFd(child.input);
  }
  while (child.input >= 0 || child.output >= 0 || child.errors >= 0) {
    pollfd watched[3];
    int* owners[3];
    nfds_t count = 0;
    if (child.input >= 0) {
      watched[count] = {child.input, POLLOUT, 0};
      owners[count++] = &child.input;
    }
    if (child.output >= 0) {
      watched[count] = {child.output, POLLIN, 0};
      owners[count++] = &child.output;
    }
    if (child.errors >= 0) {
      watched[count] = {child.errors, POLLIN, 0};
      owners[count++] = &child.errors;
    }
    const int ready = ::poll(watched, count, millisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    check(ready >= 0, "poll");
    if (ready == 0) {
      result.timedOut = true;
      ::kill(child.pid, SIGKILL);
      break;
    }
    for (nfds_t i = 0; i < count; ++i) {
      if (watched[i].revents == 0) {
        continue;
      }
      int& fd = *owners[i];
      if (&fd == &child.input) {
        const std::size_t chunk = std::min<std::size_t>(input.size() - sent, 65536);
        const ssize_t n = ::write(fd, input.data() + sent, chunk);
        if (n > 0) {
          sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
          closeFd(fd);  // the program stopped reading: it has ended
        }
        if (sent == input.size()) {
          closeFd(fd);
        }
      } else if (!readSome(fd, &fd == &child.output ? result.output : result.errors)) {
        closeFd(fd);
      }
    }
  }
  closeFd(child.input);
  closeFd(child.output);
  closeFd(child.errors);
  const bool alreadyLate = result.timedOut;
  reap(child.pid, deadline, result);
  result.timedOut = result.timedOut || alreadyLate;
  return result;
}

void sendText(const Child& child, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(child.input, text.data(), text.size());
    if (n < 0 && errno == EINTR) {
      continue;
    }
    check(n > 0, "write");
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

void closeInput(Child& child) {
  closeFd(child.input);
}

Received receiveThrough(int fd, std::string& pending, std::string_view ending,
                        std::chrono::milliseconds patience) {
  const Clock::time_point deadline = Clock::now() + patience;
  for (;;) {
    const std::size_t at = pending.find(ending);
    if (at != std::string::npos) {
      Received got{pending.substr(0, at + ending.size()), true};
      pending.erase(0, at + ending.size());
      return got;
    }
    pollfd watched{fd, POLLIN, 0};
    const int ready = fd < 0 ? 0 : ::poll(&watched, 1, millisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    check(ready >= 0, "poll");
    if (ready == 0 || !readSome(fd, pending)) {
      Received got{pending, false};
      pending.clear();
      return got;
    }
  }
}

std::string receiveWithin(int fd, std::string& pending, std::chrono::milliseconds quiet) {
  const Clock::time_point deadline = Clock::now() + quiet;
  for (;;) {
    pollfd watched{fd, POLLIN, 0};
    const int ready = ::poll(&watched, 1, millisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    check(ready >= 0, "poll");
    if (ready == 0 || !readSome(fd, pending)) {
      break;
    }
  }
  std::string got;
  got.swap(pending);
  return got;
}

Transcript finish(Child& child, std::chrono::seconds patience) {
  Transcript result;
  reap(child.pid, Clock::now() + patience, result);
  closeFd(child.input);
  closeFd(child.output);
  closeFd(child.errors);
  return result;
}

std::string golden(std::string_view name) {
  const std::string path = std::string(kGoldenDir) + "/" + std::string(name);
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read " + path);
  }
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}
