// Runs the skin probe as a separate process in a folder of its own, as the
// program would start: its own file in that folder, a clean library search path.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <string>

struct ProbeOptions {
  // Directories for the system's library search (LD_LIBRARY_PATH); none when empty.
  std::string libraryPath;
  // Where a recording skin library writes down its call.
  std::string recordPath;
  // Run as an unprivileged user when the tests run as root, so that file
  // permissions hold for the probe.
  bool unprivileged = false;
  // A limit on the size of files the probe writes, to make a write fail midway.
  rlim_t fileSizeLimit = RLIM_INFINITY;
};

struct ProbeResult {
  int exitCode = -1;  // 0..255, or 1000 + signal number
  std::string errors;  // what the probe wrote to standard error
};

// Copies the probe into folder as "mirovel" (mode 0755) unless it is there; returns its path.
std::string PlaceProbeIn(const std::string& folder);
struct StartedProbe {
  pid_t pid = -1;   // -1 when it could not be started
  int errors = -1;  // the read end of its standard error
};

// PlaceProbeIn, then starts the probe with `argument` without waiting for it.
StartedProbe StartProbeIn(const std::string& folder, const std::string& argument, const ProbeOptions& options = {});
// Waits for a started probe and collects what it wrote.
ProbeResult FinishProbe(const StartedProbe& started);
// PlaceProbeIn, then runs the probe with `argument`.
ProbeResult RunProbeIn(const std::string& folder, const std::string& argument, const ProbeOptions& options = {});
