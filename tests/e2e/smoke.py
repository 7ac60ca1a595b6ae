#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""One equation solved by a program, through the accessibility bus: the installed package's
program starts and works.

Usage: smoke.py PATH/TO/brimel"""

import sys

from session import Session, wait_for

session = Session()
from desktop import Atspi, Program  # noqa: E402


def main(program_path):
    p = Program(session.start_program(program_path), session)
    for name, text in (("Coeficiente a", "1"), ("Coeficiente b", "-0,6"), ("Coeficiente c", "0,09")):
        Atspi.EditableText.set_text_contents(p.box(name), text)
    p.act(p.button("Calcular"), "Press")
    wait_for(lambda: p.text_of(p.box("Primera raíz")) == "0,3", what="the root 0,3")
    p.act(p.find(p.main(), name="Cerrar", role="menu item"))
    code = p.process.wait(timeout=15)
    print(f"{program_path}: solved x² − 0,6x + 0,09 = 0, exit code {code}")
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(session.run_test(main, sys.argv[1]))
