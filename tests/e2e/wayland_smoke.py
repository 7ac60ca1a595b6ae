#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The program on a Wayland desktop: started natively (QT_QPA_PLATFORM=wayland) on a headless
weston compositor, it gives its window its desktop entry's name as app_id and its title, draws
it, and ends cleanly when the session asks it to (SIGTERM).

Usage: wayland_smoke.py PATH/TO/brimel APP_ID TITLE"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

from session import wait_for


def main():
    program, app_id, title = sys.argv[1:4]
    folder = tempfile.mkdtemp(prefix="brimel-wayland-")
    runtime_dir = os.path.join(folder, "runtime")
    os.mkdir(runtime_dir, 0o700)
    env = {key: value for key, value in os.environ.items()
           if not key.startswith(("DISPLAY", "WAYLAND", "QT_", "XDG_"))}
    env["XDG_RUNTIME_DIR"] = runtime_dir
    socket = "brimel-test"
    compositor_log = open(os.path.join(folder, "weston.log"), "w")
    program_log_path = os.path.join(folder, "program.log")
    compositor = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", f"--socket={socket}", "--idle-time=0"],
        env=env, stdout=compositor_log, stderr=subprocess.STDOUT, start_new_session=True)
    process = None
    ok = False
    try:
        wait_for(lambda: os.path.exists(os.path.join(runtime_dir, socket)) or
                 compositor.poll() is not None, timeout=10, what="the compositor")
        if compositor.poll() is not None:
            raise RuntimeError(f"weston ended with code {compositor.returncode}")
        env.update({"WAYLAND_DISPLAY": socket, "QT_QPA_PLATFORM": "wayland",
                    "WAYLAND_DEBUG": "client", "LANG": "es_ES.UTF-8"})
        with open(program_log_path, "w") as program_log:
            process = subprocess.Popen([program], env=env, stdout=program_log,
                                       stderr=subprocess.STDOUT)

        def log():
            with open(program_log_path, encoding="utf-8", errors="replace") as text:
                return text.read()

        # The toplevel names its desktop entry and carries the title; a buffer attached to a
        # surface and committed means that the window has been drawn.
        named = re.compile(r"xdg_toplevel@\d+\.set_app_id\(\"" + re.escape(app_id) + r"\"\)")
        titled = re.compile(r"xdg_toplevel@\d+\.set_title\(\"" + re.escape(title) + r"\"\)")
        drawn = re.compile(r"wl_surface@\d+\.attach\(wl_buffer@\d+")
        wait_for(lambda: (named.search(log()) and titled.search(log()) and drawn.search(log()))
                 or process.poll() is not None, timeout=20, what="the window, named and drawn")
        if process.poll() is not None:
            raise RuntimeError(f"the program ended early with code {process.returncode}")
        process.send_signal(signal.SIGTERM)
        code = process.wait(timeout=10)
        if code != 0:
            raise RuntimeError(f"the program ended with code {code} on SIGTERM")
        print(f"PASS: app_id {app_id!r}, title {title!r}, window drawn, exit code 0")
        ok = True
    except Exception as error:  # report, with the logs
        print(f"FAIL: {error}")
        for name in ("program.log", "weston.log"):
            path = os.path.join(folder, name)
            if os.path.exists(path):
                with open(path, encoding="utf-8", errors="replace") as text:
                    lines = text.read().splitlines()
                print(f"--- {name} (last 40 lines) ---\n" + "\n".join(lines[-40:]))
    finally:
        if process and process.poll() is None:
            process.kill()
            process.wait()
        if compositor.poll() is None:
            os.killpg(compositor.pid, signal.SIGTERM)
            try:
                compositor.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(compositor.pid, signal.SIGKILL)
                compositor.wait()
        compositor_log.close()
        shutil.rmtree(folder, ignore_errors=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
