// Spawning, talking to and stopping the Python test servers.
#include "tests/servers/test_server.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

const std::string kScripts = MIROVEL_TEST_SERVERS_DIR;

std::string MakeTempDir(const char* prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  return pattern;
}

std::string JsonString(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {  // every other byte travels as a latin-1 code point
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out + "\"";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace

ResponseStep ResponseStep::Send(std::string bytes) { return {"{\"send\": " + JsonString(bytes) + "}"}; }
ResponseStep ResponseStep::Pattern(long long count) { return {"{\"pattern\": " + std::to_string(count) + "}"}; }
ResponseStep ResponseStep::Sleep(double seconds) { return {"{\"sleep\": " + std::to_string(seconds) + "}"}; }
ResponseStep ResponseStep::Reset() { return {"{\"reset\": true}"}; }

std::string PatternBytes(long long count) {
  std::string bytes(static_cast<std::size_t>(count), '\0');
  for (long long i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 131 + 7) % 256);
  return bytes;
}

TestCertificates::TestCertificates(const std::vector<std::string>& extraNames) : dir_(MakeTempDir("mirovel-ca-")) {
  std::string command = "sh '" + kScripts + "/make_test_ca.sh' '" + dir_ + "'";
  for (const std::string& name : extraNames) command += " '" + name + "'";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("openssl could not make the test CA");
}

TestCertificates::~TestCertificates() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

TestServer TestServer::Http() { return TestServer("http_server.py", {}, false); }

TestServer TestServer::Https(const TestCertificates& certificates) {
  return TestServer("http_server.py", {"--tls", certificates.certFile(), certificates.keyFile()}, true);
}

TestServer TestServer::Proxy(const std::vector<std::pair<std::string, int>>& names) {
  std::vector<std::string> args;
  for (const auto& [name, port] : names) {
    args.push_back("--map");
    args.push_back(name + "=" + std::to_string(port));
  }
  return TestServer("forward_proxy.py", args, false);
}

TestServer::TestServer(const std::string& script, std::vector<std::string> args, bool tls)
    : dir_(MakeTempDir("mirovel-server-")), tls_(tls) {
  int toChild[2], fromChild[2];
  if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  std::vector<std::string> argv = {"python3", kScripts + "/" + script, "--dir", dir_};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
  int spawned = posix_spawnp(&pid_, "python3", &actions, nullptr, cargv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(toChild[0]);
  close(fromChild[1]);
  stdinFd_ = toChild[1];
  if (spawned != 0) {
    close(fromChild[0]);
    throw std::runtime_error("cannot start python3");
  }

  std::string line;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd p{fromChild[0], POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    char buffer[64];
    ssize_t n = read(fromChild[0], buffer, sizeof buffer);
    if (n <= 0) break;
    line.append(buffer, static_cast<std::size_t>(n));
  }
  close(fromChild[0]);
  if (std::sscanf(line.c_str(), "PORT %d", &port_) != 1) {
    this->~TestServer();
    throw std::runtime_error("test server " + script + " did not start");
  }
  WriteRoutes();
}

TestServer::TestServer(TestServer&& other) noexcept
    : dir_(std::move(other.dir_)), pid_(other.pid_), stdinFd_(other.stdinFd_), port_(other.port_),
      tls_(other.tls_), routes_(std::move(other.routes_)) {
  other.pid_ = -1;
  other.stdinFd_ = -1;
  other.dir_.clear();
}

TestServer::~TestServer() {
  if (stdinFd_ >= 0) close(stdinFd_);  // the server exits on end of input
  stdinFd_ = -1;
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    for (int i = 0; i < 40 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (i == 39) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
      }
    }
    pid_ = -1;
  }
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
}

std::string TestServer::Url(const std::string& path) const {
  return (tls_ ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port_) + path;
}

void TestServer::SetRoute(const std::string& target, const std::string& rawResponse) {
  SetRoute(target, std::vector<ResponseStep>{ResponseStep::Send(rawResponse)});
}

void TestServer::SetRoute(const std::string& target, const std::vector<ResponseStep>& steps) {
  std::string json = "[";
  for (std::size_t i = 0; i < steps.size(); ++i) json += (i ? ", " : "") + steps[i].json;
  json += "]";
  for (auto& route : routes_) {
    if (route.first == target) {
      route.second = json;
      WriteRoutes();
      return;
    }
  }
  routes_.emplace_back(target, json);
  WriteRoutes();
}

void TestServer::WriteRoutes() const {
  std::string json = "{";
  for (std::size_t i = 0; i < routes_.size(); ++i) {
    json += (i ? ",\n" : "\n") + JsonString(routes_[i].first) + ": " + routes_[i].second;
  }
  json += "\n}\n";
  std::string path = dir_ + "/routes.json";
  {
    std::ofstream out(path + ".part", std::ios::binary);
    out << json;
  }
  std::filesystem::rename(path + ".part", path);  // the server never reads half a file
}

std::vector<std::string> TestServer::Requests() const {
  std::vector<std::string> names;
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(dir_ + "/requests", missing)) {
    if (entry.path().extension() == ".bin") names.push_back(entry.path().string());
  }
  std::sort(names.begin(), names.end());
  std::vector<std::string> requests;
  for (const std::string& name : names) requests.push_back(ReadFile(name));
  return requests;
}

void TestServer::ClearRequests() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_ + "/requests", ignored);
}
