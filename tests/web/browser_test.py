#!/usr/bin/python3
"""The web page played in Debian's chromium, headless, through chromedriver: the page loads and asks
for a click, the film shows and is skipped, the main menu shows the desktop's captions, an option
changed is still there after a reload, a 10 ms Esc tap pauses a game, play holds its frame rate, and
(with the traffic-free page) a won level's record and replay are still there after a reload.

    browser_test.py <build-web folder> [--golden tests/main_window/golden]

Prints what it measured (time to "Click to play", to the main menu, frames a second) and exits non-zero
on the first check that fails."""

import argparse
import functools
import http.server
import pathlib
import statistics
import struct
import sys
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# The menu panel of the 640 x 480 frame (x, y, width, height) and the captions' colour ranges, as the
# desktop scenarios read them (tests/e2e/lib.sh).
PANEL = (232, 220, 176, 260)
CAPTION = ((168, 184), (178, 195), (164, 182))
# The heads-up line where a replay names itself (dark letters).
REPLAY_LABEL = (340, 464, 110, 14)

# Reads the canvas inside the page: the caption-coloured pixels of a region as "x,y" keys, the count
# of pixels brighter than black, and the mean grey level.
READ_REGION = """
const [x, y, w, h, ranges] = arguments;
const data = document.getElementById('canvas').getContext('2d').getImageData(x, y, w, h).data;
const captions = [];
let lit = 0, grey = 0, dark = 0;
for (let i = 0; i < w * h; ++i) {
  const r = data[4 * i], g = data[4 * i + 1], b = data[4 * i + 2];
  if (r >= ranges[0][0] && r <= ranges[0][1] && g >= ranges[1][0] && g <= ranges[1][1] &&
      b >= ranges[2][0] && b <= ranges[2][1]) captions.push((x + i % w) + ',' + (y + Math.floor(i / w)));
  if (r + g + b > 30) ++lit;
  if (r < 60 && g < 60 && b < 60) ++dark;
  grey += (r + g + b) / 3;
}
return {captions: captions, lit: lit, dark: dark, grey: grey / (w * h)};
"""

# Counts the pictures the game hands the page (SDL's software renderer puts one image a frame).
COUNT_PRESENTS = """
if (!window.presents) {
  window.presents = [];
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function () {
    window.presents.push(performance.now());
    return put.apply(this, arguments);
  };
}
"""


class Failure(Exception):
    pass


def serve(folder):
    handler = functools.partial(QuietHandler, directory=str(folder))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def golden_captions(path):
    """The caption-coloured pixels of the panel in a desktop golden scene (24-bit BMP, bottom-up)."""
    data = path.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    x0, y0, w, h = PANEL
    found = set()
    for y in range(y0, y0 + h):
        row = offset + (height - 1 - y) * stride
        for x in range(x0, x0 + w):
            b, g, r = data[row + 3 * x: row + 3 * x + 3]
            if all(low <= v <= high for v, (low, high) in zip((r, g, b), CAPTION)):
                found.add(f"{x},{y}")
    return found


class Page:
    def __init__(self, driver, url):
        self.driver = driver
        self.url = url

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def open(self):
        """Loads the page; the seconds until it asks for the click."""
        self.driver.get(self.url)
        self.js(COUNT_PRESENTS)
        wait_for(90, lambda: self.js("return document.getElementById('click-to-play').textContent") ==
                 "Click to play", 'the page never showed "Click to play"')
        return self.js("return performance.now()") / 1000

    def point(self, x, y):
        rect = self.js("const r = document.getElementById('canvas').getBoundingClientRect();"
                       "return [r.left, r.top, r.width / 640, r.height / 480];")
        return rect[0] + (x + 0.5) * rect[2], rect[1] + (y + 0.5) * rect[3]

    def click_at(self, x, y, hold=0.15):
        px, py = self.point(x, y)
        self.cdp("Input.dispatchMouseEvent", type="mouseMoved", x=px, y=py)
        self.cdp("Input.dispatchMouseEvent", type="mousePressed", x=px, y=py, button="left", clickCount=1)
        time.sleep(hold)
        self.cdp("Input.dispatchMouseEvent", type="mouseReleased", x=px, y=py, button="left", clickCount=1)

    def key(self, name, hold=0.15, code=None, key_code=None, text=None):
        codes = {"Escape": ("Escape", 27), "Enter": ("Enter", 13), "ArrowDown": ("ArrowDown", 40)}
        code, key_code = codes.get(name, (code, key_code))
        down = dict(type="keyDown", key=name, code=code,
                    windowsVirtualKeyCode=key_code, nativeVirtualKeyCode=key_code)
        if text is not None:
            down["text"] = text
        self.cdp("Input.dispatchKeyEvent", **down)
        time.sleep(hold)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", key=name, code=code, windowsVirtualKeyCode=key_code,
                 nativeVirtualKeyCode=key_code)

    def type_text(self, text):
        for letter in text:
            self.key(letter, 0.06, "Key" + letter.upper(), ord(letter.upper()), letter)
            time.sleep(0.06)

    def region(self, x, y, w, h):
        return self.js(READ_REGION, x, y, w, h, CAPTION)

    def panel(self):
        return self.region(*PANEL)

    def menu_shown(self):
        return len(self.panel()["captions"]) > 300

    def game_shown(self):
        return len(self.panel()["captions"]) < 20 and self.region(0, 0, 640, 480)["grey"] > 25

    def settled_panel(self):
        previous = None
        for _ in range(20):
            current = frozenset(self.panel()["captions"])
            if current == previous:
                return current
            previous = current
            time.sleep(0.2)
        raise Failure("the menu did not settle")

    def file(self, name):
        """A file of the page's saves folder as text, or None."""
        return self.js("try { return new TextDecoder().decode(Module.FS.readFile('/jizdavo/' + arguments[0])); }"
                       " catch (e) { return null; }", name)

    def file_bytes(self, name):
        return self.js("try { return Array.from(Module.FS.readFile('/jizdavo/' + arguments[0])); }"
                       " catch (e) { return null; }", name)

    def start_to_main_menu(self):
        """Clicks to play, waits for the film, skips it; the seconds from opening to the main menu."""
        self.click_at(320, 240)
        wait_for(30, lambda: self.region(0, 0, 640, 480)["lit"] > 2000, "the film did not show after the click")
        wait_for(60, self.menu_shown, "the main menu did not show after the film", lambda: self.key("Escape"))
        return self.js("return performance.now()") / 1000

    def frames_per_second(self, seconds):
        start = self.js("return performance.now()")
        time.sleep(seconds)
        stamps = [t for t in self.js("return window.presents") if t >= start]
        counts = [sum(1 for t in stamps if start + 1000 * s <= t < start + 1000 * (s + 1)) for s in range(seconds)]
        return statistics.median(counts), counts


def wait_for(seconds, check, message, between=None):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if check():
            return
        if between:
            between()
        time.sleep(0.3)
    raise Failure(message)


def main_menu_and_options(page, golden):
    opened = page.open()
    print(f'"Click to play" after {opened:.2f} s')
    at_menu = page.start_to_main_menu()
    print(f"main menu {at_menu:.2f} s after opening (with the click and the film skipped)")
    main_menu = page.settled_panel()
    expected = golden_captions(golden / "scene_main_menu.bmp")
    # SDL widens the 5- and 6-bit channels by repeating their top bits, the desktop's pictures by
    # shifting alone: a few pixels at the edges of the colour ranges fall either way.
    differing = len(main_menu ^ expected)
    print(f"main menu captions: {len(main_menu)} pixels, {differing} differ from the desktop's {len(expected)}")
    if differing > len(expected) // 100:
        raise Failure(f"the main menu's captions differ from the desktop's in {differing} pixels")

    page.click_at(280, 380)  # "Options"
    wait_for(15, lambda: page.menu_shown() and page.settled_panel() != main_menu, "the Options screen did not show")
    options = page.settled_panel()
    page.click_at(270, 244)  # "Show FPS"
    wait_for(15, lambda: page.settled_panel() != options, "the FPS switch did not change")
    changed = page.settled_panel()
    page.click_at(280, 450)  # "Back"
    wait_for(15, lambda: page.settled_panel() == main_menu, "Back did not return to the main menu")
    settings = page.file("Settings.ini") or ""
    if "ShowFPS=1" not in settings:
        raise Failure(f"Back wrote no ShowFPS=1: {settings!r}")
    time.sleep(4)  # the browser's storage is written in the background

    page.open()
    page.start_to_main_menu()
    page.click_at(280, 380)  # "Options"
    wait_for(15, lambda: page.menu_shown() and page.settled_panel() != main_menu, "the Options screen did not show")
    if page.settled_panel() != changed:
        raise Failure("after a reload the Options screen lost the FPS switch")
    page.click_at(270, 244)  # back as it was
    page.click_at(280, 450)
    wait_for(15, lambda: page.settled_panel() == main_menu, "Back did not return to the main menu")
    print("Options kept across a reload")
    return main_menu


def esc_tap_and_frame_rate(page, main_menu):
    page.click_at(305, 270)  # "Standard"
    wait_for(15, lambda: page.menu_shown() and page.settled_panel() != main_menu,
             "the Standard game screen did not show")
    page.click_at(280, 363)  # "Start"
    wait_for(30, page.game_shown, "the game did not start")
    time.sleep(4)  # the countdown
    median, counts = page.frames_per_second(10)
    print(f"frames a second over 10 s of play: median {median}, each second {counts}")
    page.key("Escape", hold=0.01)
    wait_for(5, page.menu_shown, "a 10 ms Esc tap did not pause the game")
    print("a 10 ms Esc tap paused the game")
    page.click_at(290, 275)  # "Abort game"
    wait_for(15, lambda: page.settled_panel() == main_menu, "Abort game did not return to the main menu")
    if median < 58:
        raise Failure(f"play ran at a median {median} frames a second, not 60")


def standard_win_kept(page, main_menu):
    page.click_at(305, 270)  # "Standard"
    wait_for(15, lambda: page.menu_shown() and page.settled_panel() != main_menu,
             "the Standard game screen did not show")
    page.click_at(280, 363)  # "Start"
    wait_for(30, page.game_shown, "the game did not start")
    down = dict(key="ArrowDown", code="ArrowDown", windowsVirtualKeyCode=40, nativeVirtualKeyCode=40)
    page.cdp("Input.dispatchKeyEvent", type="keyDown", **down)
    try:
        wait_for(60, lambda: page.menu_shown() and page.region(0, 0, 640, 480)["grey"] < 25,
                 "no name entry after walking down to the finish")
    finally:
        page.cdp("Input.dispatchKeyEvent", type="keyUp", **down)
    page.settled_panel()
    page.type_text("Walker")
    page.key("Enter")
    wait_for(15, lambda: page.file_bytes("Score.dat") is not None, "the win wrote no Score.dat")
    record = bytes(255 - b for b in page.file_bytes("Score.dat")).decode("latin-1").split("\r")
    if record[:2] != ["1", "Walker"]:
        raise Failure(f"Score.dat decodes to {record!r}")
    time.sleep(4)  # the browser's storage is written in the background

    page.open()
    page.start_to_main_menu()
    page.click_at(305, 338)  # "Best times": "Standard"
    wait_for(15, lambda: page.menu_shown() and page.settled_panel() != main_menu, "Best times did not open")
    levels = page.settled_panel()
    page.click_at(285, 275)  # "1"
    wait_for(15, lambda: page.settled_panel() != levels, "level 1's best times did not open")
    first_row = page.region(280, 264, 190, 14)
    if len(first_row["captions"]) < 60:
        raise Failure("after a reload level 1's best times lack the record")
    page.click_at(320, 270)  # the record's line
    wait_for(15, page.game_shown, "a click on the record did not play its replay")
    wait_for(10, lambda: page.region(*REPLAY_LABEL)["dark"] > 15, 'the replay does not say "REPLAY"')
    print("a won level's record and its replay kept across a reload")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("folder", type=pathlib.Path)
    parser.add_argument("--golden", type=pathlib.Path, default=pathlib.Path(__file__).parent.parent / "main_window" / "golden")
    parser.add_argument("--page", default="index.html")
    parser.add_argument("--traffic-free", action="store_true", help="the page is the traffic-free build: win a level")
    args = parser.parse_args()

    server = serve(args.folder)
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--window-size=800,640", "--disable-gpu",
                     "--autoplay-policy=user-gesture-required", "--disable-background-timer-throttling",
                     "--disable-renderer-backgrounding", "--disable-backgrounding-occluded-windows"):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        page = Page(driver, f"http://127.0.0.1:{server.server_address[1]}/{args.page}")
        if args.traffic_free:
            page.open()
            page.start_to_main_menu()
            standard_win_kept(page, page.settled_panel())
        else:
            main_menu = main_menu_and_options(page, args.golden)
            esc_tap_and_frame_rate(page, main_menu)
    except Failure as failure:
        shot = pathlib.Path("/tmp/jizdavo-web-failure.png")
        driver.save_screenshot(str(shot))
        for entry in driver.get_log("browser")[-20:]:
            print(entry["message"], file=sys.stderr)
        print(f"FAIL: {failure} (screenshot {shot})", file=sys.stderr)
        return 1
    finally:
        driver.quit()
        server.shutdown()
    print("browser tests passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
