// The failure messages are code page 936 texts like every message of the program.
#include "download/download_failure.h"

#include <string>

#include "text/editing.h"
#include "text/primitives.h"

namespace {

bool IsWebAddress(const Text& address) {
  Text lower = ToLower(TrimBoth(address));
  return FindText(lower, "http://") == 1 || FindText(lower, "https://") == 1;
}

}  // namespace

DownloadFailure JudgeDownload(const Text& address, const Bytes& data, const DownloadOutcome& outcome) {
  bool success = outcome.status >= 200 && outcome.status <= 299;
  if (outcome.reached && success && outcome.complete && !data.empty()) return DownloadFailure::kNone;
  if (address.empty()) return DownloadFailure::kNoAddress;
  if (!outcome.reached) {
    return IsWebAddress(address) ? DownloadFailure::kUnreachable : DownloadFailure::kNotWebAddress;
  }
  if (!success) return DownloadFailure::kHttpError;
  if (!outcome.complete) return DownloadFailure::kBrokenOff;
  return DownloadFailure::kNothingReceived;
}

Text DownloadFailureMessage(DownloadFailure failure, int status) {
  switch (failure) {
    case DownloadFailure::kNone:
      return Text();
    case DownloadFailure::kNoAddress:
      return "下载失败：歌曲页面中没有找到音频地址。";
    case DownloadFailure::kNotWebAddress:
      return "下载失败：歌曲页面中的音频地址不是网址。";
    case DownloadFailure::kUnreachable:
      return "下载失败：无法连接到音频服务器。";
    case DownloadFailure::kHttpError:
      return JoinText("下载失败：服务器返回错误，状态码 ", Text(std::to_string(status)), "。");
    case DownloadFailure::kBrokenOff:
      return "下载失败：下载中途中断，歌曲不完整。";
    case DownloadFailure::kNothingReceived:
      return "下载失败：服务器没有发回任何数据。";
  }
  return Text();
}

Text SaveFailureMessage(SaveProblem problem) {
  switch (problem) {
    case SaveProblem::kNone:
      return Text();
    case SaveProblem::kNoFolder:
      return "保存失败：找不到系统桌面文件夹。";
    case SaveProblem::kBadName:
      return "保存失败：歌曲名无法用作文件名。";
    case SaveProblem::kDiskFull:
      return "保存失败：磁盘空间不足。";
    case SaveProblem::kNoPermission:
      return "保存失败：没有权限写入系统桌面。";
    case SaveProblem::kOther:
      return "保存失败：文件无法写入。";
  }
  return Text();
}
