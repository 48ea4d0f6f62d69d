// MainWindow: the link box, the download, clear and tutorial buttons, and the
// maker's two links.
#include <string>

#include "app/handlers.h"
#include "app/window_tables.h"

const char kMakerSiteAddress[] = "http://www.mirovel.net/";
const char kMakerSpaceAddress[] = "http://space.mirovel.net/maker/";

const WindowDefinition& MainWindowTable() {
  // The targets are written without quotation marks.
  static const std::string linksHtml = std::string("<a href=") + kMakerSiteAddress + ">访问官网</a>|<a href=" +
                                       kMakerSpaceAddress + ">空间</a>";
  static const WindowDefinition table{
      "MainWindow", "Mirovel", 297, 161, true, OnMainWindowCreated,
      {
          {ControlKind::Label, "标签1", {16, 16, 56, 24}, "歌曲页面：", nullptr, 0},
          {ControlKind::EditBox, "编辑框1", {80, 16, 160, 24}, "", nullptr, 0},
          {ControlKind::Button, "按钮3", {240, 16, 40, 24}, "清空", OnClearClicked, 0},
          {ControlKind::Button, "按钮1", {104, 56, 88, 24}, "下载歌曲", OnDownloadClicked, 0},
          {ControlKind::Button, "按钮2", {24, 96, 120, 24}, "点击查看使用教程", OnTutorialClicked, 0},
          {ControlKind::SimpleHtml, "简单超文本框2", {200, 104, 80, 16}, linksHtml.c_str(), nullptr, 0},
      }};
  return table;
}
