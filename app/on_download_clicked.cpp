// The download button's command: from the share link in the box to the song on
// the desktop, telling the user how it ended.
#include "app/busy_mode.h"
#include "app/gui_operations.h"
#include "app/handlers.h"
#include "app/song_state.h"
#include "download/busy_caption.h"
#include "download/download_failure.h"
#include "download/download_url.h"
#include "download/page_decoding.h"
#include "download/save_song.h"
#include "download/song_page.h"
#include "text/primitives.h"
#include "web/fetch_web_page.h"

namespace {

const Text kMainWindow = "MainWindow";
const Text kLinkBox = "编辑框1";
const Text kDownloadButton = "按钮1";
const Text kBusyCaption = "正在下载...";
const Text kIdleCaption = "下载歌曲";
const Text kRefusal = "歌曲页面链接不正确，请进入歌曲播放页面后，将页面链接复制进本软件。";
const Text kSuccess = "下载成功！歌曲已保存在系统桌面！";

// Reads the link and fetches the share page; the link and the page bytes end
// their lives here, before the page text is stored.
Text FetchSharePage() {
  Text link = GetControlText(kMainWindow, kLinkBox);
  Bytes page = FetchWebPage(link);
  return BytesToText(page);
}

// Downloads the audio while the window keeps painting and shows the progress on
// the button; the busy mode ends when this returns.
Bytes DownloadAudio(BusyMode& busy, DownloadOutcome* outcome) {
  Text shown = kBusyCaption;
  auto progress = [&](long long received, long long total) {
    Text caption = BusyCaption(received, total);
    if (caption != shown) {
      SetControlCaption(kMainWindow, kDownloadButton, caption);
      shown = caption;
    }
    busy.KeepAlive();
  };
  return DownloadUrl(g_songUrl, outcome, progress);
}

}  // namespace

void OnDownloadClicked() {
  // Each global gets its new value computed in full before the old one goes.
  g_pageText = FetchSharePage();
  g_pageText = Utf8ToAnsi(g_pageText);
  g_songTitle = CutSongTitle(g_pageText);
  g_songUrl = CutSongUrl(g_pageText);

  if (CompareText(g_songTitle, Text()) == 0) {
    ShowMessage(kRefusal);
    return;
  }

  SetControlCaption(kMainWindow, kDownloadButton, kBusyCaption);
  SetControlDisabled(kMainWindow, kDownloadButton, true);

  BusyMode busy;
  DownloadOutcome outcome;
  g_songData = DownloadAudio(busy, &outcome);

  Text message = kSuccess;
  DownloadFailure failure = JudgeDownload(g_songUrl, g_songData, outcome);
  if (failure != DownloadFailure::kNone) {
    message = DownloadFailureMessage(failure, outcome.status);
  } else if (SaveProblem problem = SaveSong(g_songTitle, g_songData); problem != SaveProblem::kNone) {
    message = SaveFailureMessage(problem);
  }

  SetControlCaption(kMainWindow, kDownloadButton, kIdleCaption);
  SetControlDisabled(kMainWindow, kDownloadButton, false);
  busy.End();

  ShowMessage(message);
  busy.CloseIfAsked();
}
