#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The program reads no files of its own and writes nothing: run it with HOME and the XDG
folders pointed at empty folders, under strace, calculate, open and close the secondary windows
and the resolution, open its file dialog and cancel it, and close it, through the
accessibility bus and X input; then the folders must still be empty and no
file must have been opened for writing. Qt's offscreen platform has no accessibility bridge, so
the program runs on a private Xvfb instead, with nothing else on it.

Usage: nothing_written.py PATH/TO/brimel"""

import os
import re
import sys
import time

from session import Session, wait_for

session = Session()
from desktop import Atspi, Program  # noqa: E402

# Opening for writing, creating, removing or renaming anything.
WRITING_CALL = re.compile(r"\b(creat|mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|truncate|"
                          r"link|linkat|symlink|symlinkat)\(")
WRITING_FLAGS = re.compile(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND")
# Devices are not files: the terminal or /dev/null may be opened read-write by any library.
ALLOWED = re.compile(r'"/dev/')


def set_text(node, text):
    Atspi.EditableText.set_text_contents(node, text)


def main(program_path):
    home = os.path.join(session.folder, "home")
    folders = {name: os.path.join(home, name) for name in
               ("config", "cache", "data", "state")}
    for folder in [home, *folders.values()]:
        os.makedirs(folder)
    # The program's own runtime folder; the buses of the session keep theirs apart.
    runtime = os.path.join(session.folder, "program-runtime")
    os.mkdir(runtime, 0o700)
    trace = os.path.join(session.folder, "strace.log")
    env = {"HOME": home, "XDG_CONFIG_HOME": folders["config"], "XDG_CACHE_HOME": folders["cache"],
           "XDG_DATA_HOME": folders["data"], "XDG_STATE_HOME": folders["state"],
           "XDG_RUNTIME_DIR": runtime}
    process = session.start_program(
        program_path, env,
        wrapper=["strace", "-f", "-qq", "-o", trace, "-e",
                 "trace=open,openat,openat2,creat,mkdir,mkdirat,rename,renameat,renameat2,"
                 "unlink,unlinkat,truncate,link,linkat,symlink,symlinkat"])
    p = Program(process, session)
    # strace's own pid is the process we started; the program is its child.
    main_window = p.main()
    for name, text in (("Coeficiente a", "1"), ("Coeficiente b", "2"), ("Coeficiente c", "5")):
        set_text(p.find(main_window, name=name, role="text"), text)
    p.act(p.button("Calcular"))
    wait_for(lambda: p.text_of(p.box("Primera raíz")) == "-1+2 i", what="the result")
    for item, title, button in (("del Autor", "Acerca de..", "Cerrar"),
                                ("¿Cómo funciona?", "Ayuda", "Volver")):
        p.act(p.find(main_window, name=item, role="menu item"))
        window = p.window(title)
        p.act(p.button(button, window))
        wait_for(lambda: title not in p.windows(), what=f"{title} to close")
    # The whole resolution, and Qt's file dialog opened from it and cancelled: it keeps its
    # folder and history in the user's settings, which it must not write.
    p.click(p.find(main_window, role="label", name="Introduce los valores de a,b,c"))
    p.key("ctrl+r")
    resolution = p.window("Resolución")
    p.click(p.button("Guardar como PDF…", resolution))
    p.window("Guardar la resolución como PDF")
    time.sleep(0.5)
    p.key("Escape")
    wait_for(lambda: "Guardar la resolución como PDF" not in p.windows(), what="the dialog to close")
    p.click(p.find(resolution, name="Resolución paso a paso", role="text"))
    time.sleep(0.3)
    p.key("Escape")
    wait_for(lambda: "Resolución" not in p.windows(), what="the resolution to close")
    p.act(p.find(main_window, name="Cerrar", role="menu item"))
    code = process.wait(timeout=15)

    problems = []
    if code != 0:
        problems.append(f"exit code {code}")
    for folder in [home, runtime]:
        for root, dirs, files in os.walk(folder):
            for entry in files + [d for d in dirs if os.path.join(root, d) not in folders.values()]:
                problems.append("left behind: " + os.path.join(root, entry))
    opened = 0
    with open(trace, encoding="utf-8", errors="replace") as log:
        for line in log:
            if "open" in line:
                opened += 1
            writes = WRITING_CALL.search(line) or (
                re.search(r"\bopen(at2?)?\(", line) and WRITING_FLAGS.search(line))
            if writes and not ALLOWED.search(line) and "= -1" not in line:
                problems.append("wrote: " + line.strip())
    for problem in problems:
        print(problem)
    print(f"{opened} file opens traced, {len(problems)} problems")
    print(f"{0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    started = time.monotonic()
    status = session.run_test(main, sys.argv[1])
    print(f"nothing written: {time.monotonic() - started:.1f} s")
    sys.exit(status)
