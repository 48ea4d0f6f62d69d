// fork/exec of the skin probe with a pipe for its standard error.
#include "tests/skin/probe_runner.h"

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

std::string PlaceProbeIn(const std::string& folder) {
  namespace fs = std::filesystem;
  const std::string program = folder + "/mirovel";
  if (!fs::exists(program)) {
    fs::copy_file(MIROVEL_SKIN_PROBE, program);
    fs::permissions(program, fs::perms(0755));
  }
  return program;
}

StartedProbe StartProbeIn(const std::string& folder, const std::string& argument, const ProbeOptions& options) {
  const std::string program = PlaceProbeIn(folder);

  int pipeEnds[2];
  StartedProbe started;
  if (pipe(pipeEnds) != 0) return started;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeEnds[1], 2);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    if (options.libraryPath.empty()) {
      unsetenv("LD_LIBRARY_PATH");
    } else {
      setenv("LD_LIBRARY_PATH", options.libraryPath.c_str(), 1);
    }
    if (!options.recordPath.empty()) setenv("MIROVEL_SKIN_RECORD", options.recordPath.c_str(), 1);
    if (options.fileSizeLimit != RLIM_INFINITY) {
      // An ignored SIGXFSZ lets the write fail with an error instead of killing the probe.
      signal(SIGXFSZ, SIG_IGN);
      struct rlimit limit = {options.fileSizeLimit, options.fileSizeLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (options.unprivileged && geteuid() == 0) {
      const uid_t nobody = 65534;
      if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) _exit(125);
    }
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()), nullptr};
    execv(program.c_str(), argv);
    _exit(126);
  }
  close(pipeEnds[1]);
  if (pid < 0) {
    close(pipeEnds[0]);
    return started;
  }
  started.pid = pid;
  started.errors = pipeEnds[0];
  return started;
}

ProbeResult FinishProbe(const StartedProbe& started) {
  ProbeResult result;
  if (started.pid <= 0) return result;
  char buffer[4096];
  for (ssize_t n; (n = read(started.errors, buffer, sizeof buffer)) > 0;) result.errors.append(buffer, static_cast<std::size_t>(n));
  close(started.errors);
  int status = 0;
  if (waitpid(started.pid, &status, 0) == started.pid) {
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
  }
  return result;
}

ProbeResult RunProbeIn(const std::string& folder, const std::string& argument, const ProbeOptions& options) {
  return FinishProbe(StartProbeIn(folder, argument, options));
}
