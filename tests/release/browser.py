#!/usr/bin/env python3
"""browser.py URL OUT: headless Chromium (driven over fds 3 and 4) opens noVNC at URL; when the intro shows,
saves OUT-1.png, presses Return, clicks the remote (405, 490) and, when that is red, saves OUT-2.png."""
import base64, json, os, subprocess, sys, tempfile, time

url, out = sys.argv[1:3]
(cmd_r, cmd_w), (ans_r, ans_w) = os.pipe(), os.pipe()
chrome = subprocess.Popen(["chromium", "--headless", "--no-sandbox", "--remote-debugging-pipe", "--window-size=900,700",
    "--user-data-dir=" + tempfile.mkdtemp(), "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
    pass_fds=(3, 4), preexec_fn=lambda: [os.dup2(f, n) for f, n in ((os.dup(cmd_r), 3), (os.dup(ans_w), 4))])
pending, last = b"", 0

def call(method, session=None, **params):
    global pending, last
    last += 1
    message = {"id": last, "method": method, "params": params} | ({"sessionId": session} if session else {})
    os.write(cmd_w, json.dumps(message).encode() + b"\0")
    while True:  # answers come in order, with events between them
        while b"\0" not in pending:
            pending += os.read(ans_r, 1 << 16) or sys.exit("chromium ended")
        reply, pending = pending.split(b"\0", 1)
        if (reply := json.loads(reply)).get("id") == last:
            return reply["result"] if "result" in reply else sys.exit(f"{method}: {reply}")

tab = call("Target.attachToTarget", targetId=call("Target.createTarget", url=url)["targetId"],
    flatten=True)["sessionId"]
js = lambda e: call("Runtime.evaluate", tab, expression=e, returnByValue=True)["result"].get("value")
wait_for = lambda e, what: any(js(e) or time.sleep(0.2) for _ in range(150)) or sys.exit("never " + what)
shot = lambda name: open(name, "wb").write(base64.b64decode(call("Page.captureScreenshot", tab)["data"]))
canvas = "document.querySelector('#noVNC_container canvas')"
at = lambda x, y, rgb: f"{canvas}.getContext('2d').getImageData({x}, {y}, 1, 1).data.join() == '{rgb},255'"
# The intro: the red H of its title over the yellow of the dotted background.
wait_for("document.documentElement.classList.contains('noVNC_connected') && "
    + at(272, 250, "255,0,0") + " && " + at(6, 6, "255,255,0"), "showed the intro")
shot(out + "-1.png")
for kind in ("keyDown", "keyUp"):
    call("Input.dispatchKeyEvent", tab, type=kind, key="Enter", code="Enter", windowsVirtualKeyCode=13)
wait_for(at(405, 490, "239,239,239"), "showed the first picture")
box = js(f"{canvas}.getBoundingClientRect().toJSON()")
for kind in ("mousePressed", "mouseReleased"):
    call("Input.dispatchMouseEvent", tab, type=kind, x=box["x"] + 405 * box["width"] / 800,
        y=box["y"] + 490 * box["height"] / 600, button="left", clickCount=1)
wait_for(at(405, 490, "255,0,0"), "coloured the clicked region")
shot(out + "-2.png")
call("Browser.close")
chrome.wait(10)
