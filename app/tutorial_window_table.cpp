// TutorialWindow: four numbered steps, the first three with a screenshot each.
#include <string>

#include "app/handlers.h"
#include "app/window_tables.h"

// The shape of a real share link: the service's host, "/s/", a 22-character song
// identifier, then "?&code=" and an 11-character code.
const char kExampleShareLink[] = "http://www.kelvora.com/s/Q7m2-Kx9_tRb4LzW8pNc1v?&code=a8Rk3mZ2qY7";

const WindowDefinition& TutorialWindowTable() {
  static const std::string stepFour =
      std::string("四、进入播放页面后，复制浏览器链接，一般例如") + kExampleShareLink + "，将其复制进入本软件即可下载。";
  static const WindowDefinition table{
      "TutorialWindow", "使用教程", 940, 647, false, nullptr,
      {
          {ControlKind::Label, "标签1", {24, 16, 224, 24}, "一、在手机客户端找到自己关注的歌友", nullptr, 0},
          {ControlKind::PicBox, "图片框1", {24, 48, 264, 464}, "", nullptr, 1},
          {ControlKind::Label, "标签2", {304, 16, 232, 24}, "二、上方资料处向左滑动，找到歌友主页", nullptr, 0},
          {ControlKind::PicBox, "图片框2", {304, 48, 264, 464}, "", nullptr, 2},
          {ControlKind::Label, "标签3", {584, 16, 232, 24}, "三、打开歌友主页，点击想要下载的歌曲", nullptr, 0},
          {ControlKind::PicBox, "图片框3", {584, 48, 312, 464}, "", nullptr, 3},
          {ControlKind::Label, "标签4", {48, 536, 824, 24}, stepFour.c_str(), nullptr, 0},
          {ControlKind::Button, "按钮1", {408, 576, 120, 24}, "确定", OnTutorialOkClicked, 0},
      }};
  return table;
}
