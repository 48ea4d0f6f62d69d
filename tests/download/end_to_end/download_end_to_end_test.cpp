// The download button of the real program, end to end: a share page and its audio
// served on loopback, the program on a private X server, the song on a desktop in
// a temporary home.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/download/end_to_end/program_under_test.h"
#include "tests/platform/temporary_folder.h"
#include "tests/servers/test_server.h"

namespace {

namespace fs = std::filesystem;

const std::string kTail = " Kelvora,最时尚的手机KTV";
const std::string kRefusal = "歌曲页面链接不正确，请进入歌曲播放页面后，将页面链接复制进本软件。";
const std::string kSuccess = "下载成功！歌曲已保存在系统桌面！";
const std::string kIdle = "下载歌曲";
const std::string kBusy = "正在下载...";

std::string Response(const std::string& body, const std::string& status = "200 OK") {
  return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

std::string SharePage(const std::string& title, const std::string& audio) {
  return "<html><head><title>" + title + kTail + "</title></head><body><script>var s = {mp3:\"" + audio +
         "\"};</script></body></html>";
}

// A loopback port that nobody listens on: bound once, then let go.
int UnusedPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  close(fd);
  return ntohs(address.sin_port);
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  if (!fs::is_directory(folder)) return names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

class DownloadButton : public testing::Test {
 protected:
  static void SetUpTestSuite() { display_ = new PrivateDisplay(1280, 1024); }
  static void TearDownTestSuite() {
    delete display_;
    display_ = nullptr;
  }

  void SetUp() override {
    if (display_->name().empty()) GTEST_SKIP() << "no Xvfb";
    program_ = std::make_unique<ProgramUnderTest>(display_->name(), home_.path());
    ASSERT_TRUE(program_->started()) << "the main window did not show " << program_->startError();
  }

  fs::path Desktop() const { return fs::path(home_.path()) / "Desktop"; }

  // Puts a good file on the desktop that failures must leave alone.
  void PlaceGoodFile(const std::string& name) {
    fs::create_directories(Desktop());
    std::ofstream(Desktop() / name, std::ios::binary) << "good old song";
  }

  // Serves the page, clicks download, and answers the message shown.
  std::string Download(const std::string& page) {
    web_.SetRoute("/share", Response(page));
    program_->EnterLink(web_.Url("/share?&code=Abc"));
    program_->ClickDownload();
    std::string message = program_->WaitForMessage();
    program_->CloseMessage();
    return message;
  }

  // The button's captions and enabled changes since the log position `from`; the
  // download button is the only control the program enables and disables.
  std::vector<LogLine> ButtonEvents(size_t from) const {
    std::vector<LogLine> log = program_->Log(), out;
    for (size_t i = from; i < log.size(); ++i) {
      const LogLine& l = log[i];
      bool caption = l.kind == "label" && l.text.rfind(kBusy, 0) == 0;
      bool state = l.kind == "activate" || l.kind == "deactivate";
      if (caption || state || (l.kind == "label" && l.text == kIdle)) {
        out.push_back(l);
      }
    }
    return out;
  }

  // The button is idle again before the message: its last caption and state
  // before the box came are "下载歌曲" and enabled.
  void ExpectIdleBeforeMessage(size_t from) const {
    std::vector<LogLine> log = program_->Log();
    std::string lastCaption, lastState;
    for (size_t i = from; i < log.size(); ++i) {
      if (log[i].kind == "title" && log[i].text == "信息：") break;
      if (log[i].kind == "label" && (log[i].text == kIdle || log[i].text.rfind(kBusy, 0) == 0)) {
        lastCaption = log[i].text;
      }
      if (log[i].kind == "activate" || log[i].kind == "deactivate") lastState = log[i].kind;
    }
    EXPECT_EQ(lastCaption, kIdle);
    EXPECT_EQ(lastState, "activate");
  }

  static PrivateDisplay* display_;
  TemporaryFolder home_;
  TestServer web_ = TestServer::Http();
  std::unique_ptr<ProgramUnderTest> program_;
};

PrivateDisplay* DownloadButton::display_ = nullptr;

TEST_F(DownloadButton, SavesTheSongBehindARedirectReplacingAnOlderCopy) {
  const std::string audio = PatternBytes(300000);
  web_.SetRoute("/go", "HTTP/1.1 302 Found\r\nLocation: /audio.mp3\r\nContent-Length: 0\r\n\r\n");
  web_.SetRoute("/audio.mp3", "HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: 300000\r\n\r\n" + audio);
  PlaceGoodFile("月亮代表我的心.mp3");

  size_t from = program_->Log().size();
  EXPECT_EQ(Download(SharePage("月亮代表我的心", web_.Url("/go"))), kSuccess);

  EXPECT_EQ(Entries(Desktop()), std::vector<std::string>{"月亮代表我的心.mp3"});
  EXPECT_TRUE(ReadFile(Desktop() / "月亮代表我的心.mp3") == audio);
  std::vector<LogLine> button = ButtonEvents(from);
  ASSERT_GE(button.size(), 4u);
  EXPECT_EQ(button.front().text, kBusy);
  EXPECT_EQ(button[1].kind, "deactivate");
  ExpectIdleBeforeMessage(from);
}

TEST_F(DownloadButton, RefusesPagesWithoutATitle) {
  const std::string audio = web_.Url("/audio.mp3");
  web_.SetRoute("/audio.mp3", Response("ID3"));
  const std::string pages[] = {
      "<html><head></head><body>mp3:\"" + audio + "\"</body></html>",     // no <title>
      "<title>T Kelvora</title> mp3:\"" + audio + "\"",                   // no right marker
      SharePage("", audio),                                               // empty title
      std::string("<html>\0", 7) + SharePage("T", audio),                 // cut by a zero byte
  };
  for (const std::string& page : pages) {
    size_t from = program_->Log().size();
    EXPECT_EQ(Download(page), kRefusal) << page;
    EXPECT_TRUE(ButtonEvents(from).empty()) << "the button stays idle throughout";
  }
  EXPECT_TRUE(Entries(Desktop()).empty());
}

TEST_F(DownloadButton, ATitleCannotSteerThePath) {
  web_.SetRoute("/a.mp3", Response("ID3 song"));
  fs::create_directories(Desktop() / "sub");
  EXPECT_EQ(Download(SharePage("../sub/AC/DC? &amp; &lt;live&gt;", web_.Url("/a.mp3"))), kSuccess);

  const std::string expected = "..／sub／AC／DC？ & ＜live＞.mp3";
  EXPECT_EQ(ReadFile(Desktop() / expected), "ID3 song");
  std::vector<std::string> entries = Entries(Desktop());
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{expected, "sub"}));
  EXPECT_TRUE(fs::is_empty(Desktop() / "sub"));
  EXPECT_TRUE(Entries(home_.path() + "/sub").empty());
}

TEST_F(DownloadButton, FailuresSayWhyAndKeepTheGoodFile) {
  PlaceGoodFile("T.mp3");
  const std::string unreachable = "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/a.mp3";

  web_.SetRoute("/missing.mp3", Response("<html>no such song</html>", "404 Not Found"));
  web_.SetRoute("/empty.mp3", Response(""));
  web_.SetRoute("/short.mp3", std::vector<ResponseStep>{
                                  ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n"),
                                  ResponseStep::Pattern(50000), ResponseStep::Reset()});
  struct Failure {
    std::string page;
    std::string message;
  };
  const Failure failures[] = {
      {"<title>T" + kTail + "</title> no audio here", "下载失败：歌曲页面中没有找到音频地址。"},
      {SharePage("T", unreachable), "下载失败：无法连接到音频服务器。"},
      {SharePage("T", "file:///etc/passwd"), "下载失败：歌曲页面中的音频地址不是网址。"},
      {SharePage("T", web_.Url("/missing.mp3")), "下载失败：服务器返回错误，状态码 404。"},
      {SharePage("T", web_.Url("/short.mp3")), "下载失败：下载中途中断，歌曲不完整。"},
      {SharePage("T", web_.Url("/empty.mp3")), "下载失败：服务器没有发回任何数据。"},
  };
  for (const Failure& failure : failures) {
    size_t from = program_->Log().size();
    EXPECT_EQ(Download(failure.page), failure.message) << failure.page;
    ExpectIdleBeforeMessage(from);
    EXPECT_EQ(ReadFile(Desktop() / "T.mp3"), "good old song");
    EXPECT_EQ(Entries(Desktop()), std::vector<std::string>{"T.mp3"});
  }

  // A desktop that cannot be made: the place is taken by a file.
  fs::create_directories(home_.path() + "/.config");
  std::ofstream(home_.path() + "/.config/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/taken\"\n";
  std::ofstream(home_.path() + "/taken") << "x";
  web_.SetRoute("/a.mp3", Response("ID3 song"));
  EXPECT_EQ(Download(SharePage("T", web_.Url("/a.mp3"))), "保存失败：找不到系统桌面文件夹。");
  EXPECT_EQ(ReadFile(home_.path() + "/taken"), "x");
}

// While the audio downloads the window keeps painting, shows the progress, takes
// no input, and a request to close it waits for the download's end.
TEST_F(DownloadButton, StaysAliveButClosedToInputWhileDownloading) {
  const std::string audio = PatternBytes(200000);
  web_.SetRoute("/slow.mp3",
                std::vector<ResponseStep>{
                    ResponseStep::Send("HTTP/1.1 200 OK\r\nContent-Length: 200000\r\n\r\n"),
                    ResponseStep::Pattern(50000), ResponseStep::Sleep(8),
                    ResponseStep::Send(audio.substr(50000))});
  web_.SetRoute("/share", Response(SharePage("Slow", web_.Url("/slow.mp3"))));
  program_->EnterLink(web_.Url("/share"));
  program_->ClickDownload();

  // The first quarter has arrived and the server holds the rest back.
  bool quarter = false;
  for (int i = 0; i < 600 && !quarter; ++i) {
    for (const LogLine& line : program_->Log()) quarter = quarter || line.text == kBusy + "25%";
    if (!quarter) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(quarter) << "no progress shown";

  // Pushing the window half off the screen and back makes the X server forget
  // that half; only a program that handles its events paints it again.
  const std::string window = program_->mainWindow();
  auto picture = [&] { return RunTool(display_->name(), {"import", "-window", window, "rgb:-"}); };
  std::string before = picture();
  RunTool(display_->name(), {"xdotool", "windowmove", window, "-200", "100"});
  RunTool(display_->name(), {"xdotool", "windowmove", window, "400", "400"});
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_FALSE(before.empty());
  EXPECT_TRUE(picture() == before) << "the window was not repainted";

  program_->Click(84, 108);  // 按钮2, the tutorial button
  program_->Key("Escape");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(program_->Running()) << "closed in the middle of a download";
  EXPECT_TRUE(program_->WindowShown("Mirovel"));

  EXPECT_EQ(program_->WaitForMessage(), kSuccess);
  EXPECT_FALSE(program_->WindowShown("使用教程")) << "a click got through while busy";
  EXPECT_TRUE(ReadFile(Desktop() / "Slow.mp3") == audio);
  program_->CloseMessage();
  EXPECT_EQ(program_->WaitForExit(), 0) << "the close asked for while busy was not carried out";
}

}  // namespace
