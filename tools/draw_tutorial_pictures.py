#!/usr/bin/env python3
"""Draws the three tutorial pictures as mock-ups with ImageMagick.

Picture 1: the phone client's profile page of a followed singer (720x1280, Exif).
Picture 2: the same profile with its header swiped left; the home page address
           is circled in red (538x954, JFIF).
Picture 3: that home page in a desktop browser with the singer's songs (865x888, JFIF).

All three are baseline JPEG. Usage: draw_tutorial_pictures.py <output folder>
"""
import os
import shutil
import struct
import subprocess
import sys

FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
HOME_PAGE = "http://www.kelvora.com/u/xiaolu_sings"
SONGS = [("后来", "3分58秒", "1.2万"), ("晴天", "4分29秒", "9876"), ("小幸运", "4分25秒", "8543"),
         ("平凡之路", "5分02秒", "6310"), ("演员", "4分21秒", "5127"), ("成都", "5分28秒", "4096"),
         ("稻香", "3分43秒", "3380"), ("夜空中最亮的星", "4分12秒", "2715")]


def text(x, y, size, colour, words, weight=""):
    words = words.replace("'", "\\'")
    return f"font-size {size}\nfill '{colour}'\n{weight}text {x},{y} '{words}'\n"


def phone_profile(swiped):
    """MVG for the 720x1280 profile page; swiped shows the header's second panel."""
    d = ["fill '#f4f4f6' rectangle 0,0 720,1280\n"]
    d.append("fill '#1b1b1f' rectangle 0,0 720,48\n")
    d.append(text(24, 34, 24, "white", "9:41"))
    d.append(text(590, 34, 22, "white", "4G  87%"))
    d.append("fill '#e8475f' rectangle 0,48 720,520\n")
    d.append("fill '#f26b7f' circle 620,140 720,140\n")
    d.append("fill '#c93a50' circle 80,470 180,470\n")
    d.append(text(24, 100, 30, "white", "‹"))
    d.append(text(300, 100, 30, "white", "歌友主页"))
    if not swiped:
        d.append("fill white circle 360,220 360,300\n")
        d.append("fill '#ffcfd6' circle 360,220 360,290\n")
        d.append("fill '#e8475f' circle 360,195 360,228\n")
        d.append("fill '#e8475f' ellipse 360,270 52,30 180,360\n")
        d.append(text(300, 350, 36, "white", "小鹿爱唱歌"))
        d.append(text(244, 395, 24, "#ffe3e8", "Kelvora 号：88016352  |  广州"))
        for i, (n, label) in enumerate([("128", "关注"), ("3.6万", "粉丝"), ("52", "作品")]):
            x = 120 + i * 220
            d.append(text(x, 460, 32, "white", n))
            d.append(text(x, 495, 22, "#ffe3e8", label))
    else:
        # The second header panel: the singer's home page address.
        d.append(text(60, 200, 30, "white", "个人资料"))
        d.append(text(60, 260, 24, "#ffe3e8", "签名：唱给喜欢的人听"))
        d.append(text(60, 320, 24, "#ffe3e8", "主页地址："))
        d.append(text(60, 365, 26, "white", HOME_PAGE))
        d.append("fill none stroke red stroke-width 6 ellipse 330,355 300,48 0,360\nstroke none\n")
        d.append(text(60, 440, 22, "#ffe3e8", "← 向左滑动查看更多"))
        d.append("fill white circle 340,495 346,495\nfill '#ffb3bf' circle 380,495 386,495\n")
    d.append("fill '#ffffff' roundrectangle 470,540 690,600 30,30\n")
    d.append(text(530, 582, 28, "#e8475f", "已关注 ✓"))
    d.append("fill white rectangle 0,620 720,690\n")
    for i, tab in enumerate(["作品", "合唱", "歌单", "动态"]):
        d.append(text(70 + i * 170, 668, 28, "#e8475f" if i == 0 else "#555555", tab))
    d.append("fill '#e8475f' rectangle 62,682 142,688\n")
    for i, (name, length, plays) in enumerate(SONGS[:5]):
        y = 705 + i * 100
        d.append(f"fill white rectangle 0,{y} 720,{y + 92}\n")
        d.append(f"fill '#{(60 + i * 35) % 256:02x}7fd0' rectangle 24,{y + 10} 96,{y + 82}\n")
        d.append(text(120, y + 42, 28, "#222222", name))
        d.append(text(120, y + 76, 20, "#999999", f"{length}   播放 {plays}"))
        d.append(text(650, y + 56, 30, "#e8475f", "▶"))
    d.append("fill white rectangle 0,1200 720,1280\n")
    d.append("fill '#dddddd' rectangle 0,1200 720,1202\n")
    for i, tab in enumerate(["首页", "发现", "唱歌", "消息", "我的"]):
        d.append(text(40 + i * 140, 1250, 24, "#e8475f" if i == 0 else "#777777", tab))
    return "".join(d)


def browser_home_page():
    """MVG for the 865x888 desktop browser showing the singer's home page."""
    d = ["fill '#dfe3e8' rectangle 0,0 865,888\n"]
    d.append("fill '#cfd4da' rectangle 0,0 865,40\n")
    d.append("fill '#ff5f56' circle 20,20 26,20\nfill '#ffbd2e' circle 42,20 48,20\nfill '#27c93f' circle 64,20 70,20\n")
    d.append("fill '#f4f5f7' roundrectangle 90,6 330,40 8,8\n")
    d.append(text(104, 29, 14, "#333333", "小鹿爱唱歌的主页 - Kelvora"))
    d.append("fill white rectangle 0,40 865,84\n")
    d.append(text(14, 70, 20, "#666666", "←  →  ⟳"))
    d.append("fill '#f1f3f4' roundrectangle 110,48 850,78 14,14\n")
    d.append(text(130, 69, 15, "#202124", HOME_PAGE))
    d.append("fill '#e8475f' rectangle 0,84 865,220\n")
    d.append(text(30, 130, 26, "white", "Kelvora  最时尚的手机KTV"))
    d.append("fill white circle 90,185 90,215\n")
    d.append(text(150, 180, 24, "white", "小鹿爱唱歌"))
    d.append(text(150, 208, 15, "#ffe3e8", "关注 128   粉丝 3.6万   作品 52"))
    d.append("fill white rectangle 30,240 835,870\n")
    d.append(text(50, 280, 20, "#222222", "TA 的作品"))
    d.append("fill '#e8475f' rectangle 50,290 140,293\n")
    d.append(text(60, 330, 15, "#999999", "歌曲"))
    d.append(text(460, 330, 15, "#999999", "时长"))
    d.append(text(620, 330, 15, "#999999", "播放"))
    for i, (name, length, plays) in enumerate(SONGS):
        y = 345 + i * 62
        d.append(f"fill '{'#fbfbfc' if i % 2 else '#ffffff'}' rectangle 40,{y} 825,{y + 58}\n")
        d.append(f"fill '#{(60 + i * 25) % 256:02x}7fd0' rectangle 52,{y + 8} 94,{y + 50}\n")
        colour = "#1a5fd0" if i == 0 else "#222222"
        d.append(text(110, y + 36, 18, colour, name))
        d.append(text(460, y + 36, 15, "#666666", length))
        d.append(text(620, y + 36, 15, "#666666", plays))
        d.append(f"fill '#dddddd' rectangle 40,{y + 58} 825,{y + 59}\n")
    # The pointer over the first song: the one to click.
    d.append("fill black stroke white stroke-width 1 polygon 200,370 200,392 206,387 210,397 214,395 210,385 217,385\nstroke none\n")
    return "".join(d)


def draw(mvg, layout, width, height, out):
    """Draws mvg, laid out for a layout-sized canvas, scaled onto width x height."""
    scale = f"affine {width / layout[0]},0,0,{height / layout[1]},0,0\n"
    subprocess.run(["convert", "-size", f"{width}x{height}", "xc:white", "-font", FONT,
                    "-draw", scale + mvg, "-strip",
                    "-interlace", "none", "-sampling-factor", "2x2", "-quality", "92",
                    "-define", "jpeg:dct-method=islow", f"jpeg:{out}"], check=True)


def exif_segment():
    """An APP1 Exif block with a little-endian TIFF header and two IFD0 entries."""
    software = b"Mirovel tutorial\0"
    entries = 2
    ifd_size = 2 + entries * 12 + 4
    software_offset = 8 + ifd_size
    tiff = b"II*\0" + struct.pack("<I", 8) + struct.pack("<H", entries)
    tiff += struct.pack("<HHII", 0x0112, 3, 1, 1)  # Orientation: upright
    tiff += struct.pack("<HHII", 0x0131, 2, len(software), software_offset)
    tiff += struct.pack("<I", 0) + software
    body = b"Exif\0\0" + tiff
    return b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body


def replace_jfif_with_exif(path):
    data = open(path, "rb").read()
    assert data[:2] == b"\xff\xd8"
    pos = 2
    if data[2:4] == b"\xff\xe0":
        pos = 4 + struct.unpack(">H", data[4:6])[0]
    with open(path, "wb") as f:
        f.write(b"\xff\xd8" + exif_segment() + data[pos:])


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "resources/tutorial"
    os.makedirs(out, exist_ok=True)
    if not shutil.which("convert"):
        sys.exit("ImageMagick's convert is needed")
    first = os.path.join(out, "step1_profile.jpg")
    draw(phone_profile(False), (720, 1280), 720, 1280, first)
    replace_jfif_with_exif(first)
    # The second screenshot comes from a smaller phone: the same layout, scaled.
    draw(phone_profile(True), (720, 1280), 538, 954, os.path.join(out, "step2_home_page_address.jpg"))
    draw(browser_home_page(), (865, 888), 865, 888, os.path.join(out, "step3_song_list.jpg"))


if __name__ == "__main__":
    main()
