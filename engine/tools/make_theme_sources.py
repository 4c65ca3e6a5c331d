#!/usr/bin/env python3
"""Writes the 33 theme sources (engine/themes/NN.theme) from the table below.

The sources are the files we keep and edit; this script only gave them their
first form, so that 33 palettes stay consistent with each other. Rerun it with
--force to start over from the table (hand edits are lost).
"""
import colorsys
import os
import sys

FACES = {
    "hei": "微软雅黑; Microsoft YaHei; WenQuanYi Micro Hei",
    "song": "宋体; SimSun; WenQuanYi Micro Hei",
    "zenhei": "黑体; SimHei; WenQuanYi Zen Hei; WenQuanYi Micro Hei",
}

# number: (name, hue degrees, saturation, mode, corner radius, border, gradient, faces, weight)
THEMES = [
    ("素雅灰", 215, 0.10, "light", 3, 1, 8, "hei", 400),
    ("海军蓝", 220, 0.55, "dark", 2, 1, 10, "hei", 400),
    ("薄荷绿", 155, 0.45, "light", 6, 1, 14, "hei", 400),
    ("琥珀", 38, 0.80, "light", 4, 1, 20, "song", 400),
    ("晴空", 208, 0.60, "light", 4, 1, 10, "hei", 400),
    ("石墨", 210, 0.08, "dark", 3, 1, 6, "hei", 400),
    ("胭脂", 350, 0.55, "light", 5, 1, 12, "hei", 400),
    ("紫藤", 270, 0.40, "light", 6, 1, 12, "hei", 400),
    ("森林", 130, 0.35, "dark", 2, 2, 14, "zenhei", 700),
    ("夕阳", 18, 0.75, "light", 8, 1, 24, "hei", 400),
    ("青瓷", 170, 0.30, "light", 4, 1, 8, "song", 400),
    ("午夜", 250, 0.45, "dark", 6, 1, 18, "hei", 400),
    ("樱花", 330, 0.60, "light", 10, 1, 16, "hei", 400),
    ("沙漠", 32, 0.35, "light", 0, 2, 0, "zenhei", 700),
    ("湖蓝", 192, 0.65, "light", 2, 1, 12, "hei", 400),
    ("酒红", 345, 0.55, "dark", 4, 1, 16, "song", 400),
    ("橄榄", 75, 0.40, "light", 3, 2, 10, "zenhei", 400),
    ("钢铁", 205, 0.25, "dark", 0, 1, 30, "hei", 700),
    ("柠檬", 55, 0.75, "light", 6, 1, 18, "hei", 400),
    ("深海", 200, 0.70, "dark", 8, 1, 22, "hei", 400),
    ("珊瑚", 8, 0.70, "light", 12, 1, 14, "hei", 400),
    ("墨竹", 110, 0.20, "light", 0, 1, 0, "song", 400),
    ("霓虹", 300, 0.80, "dark", 10, 2, 28, "zenhei", 700),
    ("雾霭", 230, 0.18, "light", 8, 1, 6, "hei", 400),
    ("咖啡", 25, 0.40, "dark", 3, 1, 12, "song", 400),
    ("翡翠", 145, 0.70, "dark", 5, 1, 20, "hei", 400),
    ("天青", 185, 0.35, "light", 1, 1, 4, "song", 400),
    ("玫瑰金", 15, 0.40, "light", 7, 1, 26, "hei", 400),
    ("极光", 165, 0.60, "dark", 12, 1, 32, "hei", 400),
    ("宣纸", 45, 0.30, "light", 0, 1, 0, "song", 400),
    ("靛青", 235, 0.65, "light", 4, 2, 16, "zenhei", 700),
    ("赤焰", 2, 0.75, "dark", 2, 2, 36, "zenhei", 700),
    ("银白", 200, 0.05, "light", 6, 1, 20, "hei", 400),
]


def hsl(h, s, l):
    r, g, b = colorsys.hls_to_rgb((h % 360) / 360, max(0.0, min(1.0, l)), max(0.0, min(1.0, s)))
    return "#%02X%02X%02X" % (round(r * 255), round(g * 255), round(b * 255))


def palette(h, s, mode):
    if mode == "light":
        text = hsl(h, 0.20, 0.14)
        return {
            "window": hsl(h, s * 0.55, 0.905), "window_text": text,
            "label_text": hsl(h, 0.25, 0.17), "accent": hsl(h, s, 0.46),
            "button_face": hsl(h, s * 0.50, 0.975), "button_border": hsl(h, s * 0.45, 0.68),
            "button_text": text,
            "button_hot_face": hsl(h, s * 0.70, 0.93), "button_hot_border": hsl(h, s, 0.62),
            "button_hot_text": text,
            "button_pressed_face": hsl(h, s * 0.60, 0.83), "button_pressed_border": hsl(h, s, 0.46),
            "button_pressed_text": hsl(h, s, 0.24),
            "button_disabled_face": hsl(h, 0.06, 0.93), "button_disabled_border": hsl(h, 0.06, 0.84),
            "button_disabled_text": hsl(h, 0.05, 0.63),
            "button_default_border": hsl(h, s, 0.52), "focus_ring": hsl(h, s, 0.58),
            "tab_strip": hsl(h, s * 0.55, 0.905), "tab_face": hsl(h, s * 0.50, 0.84),
            "tab_text": hsl(h, 0.20, 0.32), "tab_hot_face": hsl(h, s * 0.60, 0.88),
            "tab_selected_face": hsl(h, s * 0.45, 0.97), "tab_selected_text": hsl(h, s, 0.34),
            "tab_border": hsl(h, s * 0.45, 0.72), "tab_body": hsl(h, s * 0.45, 0.97),
            "dialog": hsl(h, s * 0.45, 0.94), "dialog_text": text,
            "field": hsl(h, 0.10, 1.0), "field_text": text,
            "caption": hsl(h, s, 0.42), "caption_text": "#FFFFFF",
        }
    text = hsl(h, 0.15, 0.90)
    return {
        "window": hsl(h, s * 0.35, 0.15), "window_text": text,
        "label_text": hsl(h, 0.25, 0.86), "accent": hsl(h, s, 0.58),
        "button_face": hsl(h, s * 0.35, 0.24), "button_border": hsl(h, s * 0.35, 0.36),
        "button_text": text,
        "button_hot_face": hsl(h, s * 0.50, 0.30), "button_hot_border": hsl(h, s, 0.55),
        "button_hot_text": "#FFFFFF",
        "button_pressed_face": hsl(h, s * 0.60, 0.19), "button_pressed_border": hsl(h, s, 0.60),
        "button_pressed_text": hsl(h, s, 0.80),
        "button_disabled_face": hsl(h, 0.08, 0.20), "button_disabled_border": hsl(h, 0.08, 0.27),
        "button_disabled_text": hsl(h, 0.05, 0.45),
        "button_default_border": hsl(h, s, 0.52), "focus_ring": hsl(h, s, 0.65),
        "tab_strip": hsl(h, s * 0.35, 0.15), "tab_face": hsl(h, s * 0.35, 0.21),
        "tab_text": hsl(h, 0.15, 0.72), "tab_hot_face": hsl(h, s * 0.45, 0.26),
        "tab_selected_face": hsl(h, s * 0.35, 0.19), "tab_selected_text": hsl(h, s, 0.75),
        "tab_border": hsl(h, s * 0.35, 0.33), "tab_body": hsl(h, s * 0.35, 0.19),
        "dialog": hsl(h, s * 0.35, 0.17), "dialog_text": text,
        "field": hsl(h, s * 0.30, 0.11), "field_text": text,
        "caption": hsl(h, s * 0.70, 0.30), "caption_text": hsl(h, 0.10, 0.95),
    }


def source(number, row):
    name, h, s, mode, radius, border, gradient, faces, weight = row
    lines = [
        f"# Theme {number}: {name} ({'浅色' if mode == 'light' else '深色'})",
        "format = 1",
        "",
        "[palette]",
    ]
    for key, value in palette(h, s, mode).items():
        lines.append(f"{key:<22} = {value}")
    lines += [
        "",
        "[metrics]",
        f"corner_radius = {radius}",
        f"border_width = {border}",
        f"face_gradient = {gradient}",
        "",
        "[font]",
        "size = 9",
        f"weight = {weight}",
        f"faces = {FACES[faces]}",
        "",
    ]
    return "\n".join(lines)


def main(argv):
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "themes")
    force = "--force" in argv
    for number, row in enumerate(THEMES, 1):
        path = os.path.join(out, f"{number:02d}.theme")
        if os.path.exists(path) and not force:
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(source(number, row))
    return 0


if __name__ == "__main__":
    assert len(THEMES) == 33
    sys.exit(main(sys.argv))
