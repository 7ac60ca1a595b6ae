#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""End-to-end: the real program under its own X server and accessibility bus, driven with real
X input (xdotool) and read back through AT-SPI, as a person with a screen reader meets it.

Each scenario starts from the same state: no message box, the boxes empty, the main window
active. A scenario that fails says why; a fault of the test itself is not waited out.

Usage: run_e2e.py PATH/TO/brimel DESKTOP_ENTRY"""

import configparser
import subprocess
import sys
import time
import traceback

from session import Session, wait_for

session = Session()
from desktop import MAIN_TITLE, Atspi, Program  # noqa: E402  (after the session's buses exist)

DESKTOP_ENTRY = sys.argv[2]

REAL = "Solución real"
COMPLEX = "Solución compleja"
EMPTY_MESSAGE = "Por favor, introduza los valores de a,b,c"
OK = "Aceptar"  # Qt's own button text, in Spanish whatever the locale


def calculate(p, a, b, c, submit="button"):
    for name, text in (("Coeficiente a", a), ("Coeficiente b", b), ("Coeficiente c", c)):
        p.type_into(name, text)
    if submit == "button":
        p.click(p.button("Calcular"))
    else:
        p.key("Return")


def results(p):
    return (p.text_of(p.box("Primera raíz")), p.text_of(p.box("Segunda raíz")),
            p.text_of(p.box("Discriminante")), p.kind_label().get_name())


def expect(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what}: got {actual!r}, expected {expected!r}")


def wait_results(p, expected):
    try:
        wait_for(lambda: results(p) == expected, timeout=5, what="results")
    except TimeoutError:
        expect(results(p), expected, "results")


def dismiss_message_box(p):
    """Reads the program's message box, presses its OK button and returns its text."""
    box = p.window("Brimel")
    text = next(n.get_name() for n in p.labels(box) if n.get_name())
    p.click(p.button(OK, box))
    wait_for(lambda: "Brimel" not in p.windows(), what="the message box to close")
    return text


def close_resolution(p):
    """Escape in the resolution's lines closes its window, as it does anywhere in it."""
    lines = p.find(p.window("Resolución"), name="Resolución paso a paso", role="text")
    p.click(lines)
    time.sleep(0.3)
    p.key("Escape")
    wait_for(lambda: "Resolución" not in p.windows(), what="the resolution to close")


def reset(p):
    """The state every scenario starts from: no message box or secondary window open, every
    box empty, the main window active with the focus in the box for a."""
    for title, button in (("Brimel", OK), ("Acerca de..", "Cerrar"), ("Ayuda", "Volver")):
        if title in p.windows():
            p.act(p.button(button, p.window(title)))
            wait_for(lambda: title not in p.windows(), what=f"{title!r} to close")
    if "Resolución" in p.windows():
        close_resolution(p)
    p.click(p.find(p.main(), role="label", name="Introduce los valores de a,b,c"))
    p.click(p.button("Borrar"))
    for name in ("Coeficiente a", "Coeficiente b", "Coeficiente c", "Primera raíz"):
        wait_for(lambda: p.text_of(p.box(name)) == "", what=f"{name} to be empty")
    wait_for(lambda: p.focused(p.box("Coeficiente a")), what="the focus on a")


# --- Scenarios ----------------------------------------------------------------------------------

TABLE = [
    ("1", "-3", "2", ("2", "1", "1", REAL)),
    ("1", "2", "1", ("-1", "-1", "0", REAL)),
    ("2", "0", "-8", ("2", "-2", "64", REAL)),
    ("1", "2", "5", ("-1+2 i", "-1-2 i", "-16", COMPLEX)),
    ("-1", "2", "-5", ("1-2 i", "1+2 i", "-16", COMPLEX)),
    ("-1", "5", "-1", ("0,20871215252208", "4,79128784747792", "21", REAL)),
    ("-1", "2", "-1", ("1", "1", "0", REAL)),
    ("0,5", "-1.5", "1", ("2", "1", "0,25", REAL)),
]


def scenario_table(p):
    for a, b, c, expected in TABLE:
        calculate(p, a, b, c)
        wait_results(p, expected)
        # The focus returns to the box for a.
        wait_for(lambda: p.focused(p.box("Coeficiente a")), what="focus on a")


def scenario_return_computes(p):
    calculate(p, "1", "-3", "2", submit="return")
    wait_results(p, ("2", "1", "1", REAL))


def scenario_return_presses_the_focused_button(p):
    for name, text in (("Coeficiente a", "1"), ("Coeficiente b", "2"), ("Coeficiente c", "5")):
        p.type_into(name, text)
    p.click(p.box("Coeficiente a"))
    p.key("shift+Tab")  # Calcular comes before the box for a
    wait_for(lambda: p.focused(p.button("Calcular")), what="the focus on Calcular")
    p.key("Return")
    wait_results(p, ("-1+2 i", "-1-2 i", "-16", COMPLEX))
    p.click(p.box("Discriminante"))
    p.key("Tab")  # Borrar follows the result boxes
    wait_for(lambda: p.focused(p.button("Borrar")), what="the focus on Borrar")
    p.key("KP_Enter")
    wait_for(lambda: p.text_of(p.box("Coeficiente a")) == "", what="Borrar by keypad Enter")


def scenario_empty_box(p):
    calculate(p, "1", "-3", "2")
    wait_results(p, ("2", "1", "1", REAL))
    p.type_into("Coeficiente b", "")
    p.click(p.button("Calcular"))
    expect(dismiss_message_box(p), EMPTY_MESSAGE, "message")
    expect(results(p), ("2", "1", "1", REAL), "results after the message")


def scenario_bad_coefficient(p):
    calculate(p, "1", "abc", "2")
    text = dismiss_message_box(p)
    expect(text, "El coeficiente b no es un número válido: «abc».", "error report")
    calculate(p, "1", "2", "5")
    wait_results(p, ("-1+2 i", "-1-2 i", "-16", COMPLEX))


def scenario_a_is_zero(p):
    calculate(p, "1", "2", "5")
    wait_results(p, ("-1+2 i", "-1-2 i", "-16", COMPLEX))
    calculate(p, "0", "1", "1")
    text = dismiss_message_box(p)
    if "no puede ser 0" not in text:
        raise AssertionError(text)
    expect(results(p), ("-1+2 i", "-1-2 i", "-16", COMPLEX), "results kept")


def scenario_equation_as_typed(p):
    calculate(p, "1", "-0,6", "0,09")
    wait_results(p, ("0,3", "0,3", "0", REAL))
    # A screen reader reads each result's exact value as the box's description.
    calculate(p, "1", "-3", "1")
    wait_results(p, ("2,61803398874989", "0,381966011250105", "5", REAL))
    expect(p.box("Primera raíz").get_description(), "Valor exacto: (3 + √5)/2",
           "the first root's description")


def scenario_exact_value_by_keyboard(p):
    # Tab to the first root: its exact value shows as a tooltip, as it does for the mouse; then
    # the Menu key opens its context menu, whose last entry copies the exact value.
    calculate(p, "1", "-3", "1")
    wait_results(p, ("2,61803398874989", "0,381966011250105", "5", REAL))
    wait_for(lambda: p.focused(p.box("Coeficiente a")), what="the focus on a")
    p.key("Tab", "Tab", "Tab")
    wait_for(lambda: p.focused(p.box("Primera raíz")), what="the focus on the first root")
    p.tooltip("Valor exacto: (3 + √5)/2")
    # Qt leaves popup menus out of the accessible tree (a screen reader follows their focus):
    # the menu is worked by keys alone, from the top Up reaching its last entry, and the one
    # before it.
    p.key("Menu")
    time.sleep(0.5)
    p.key("Up", "Up", "Return")
    wait_for(lambda: p.clipboard() == "(3 + √5)/2", what="the exact value on the clipboard")


def scenario_working_on_hover(p):
    calculate(p, "1", "-3", "1")
    wait_results(p, ("2,61803398874989", "0,381966011250105", "5", REAL))
    extents = p.box("Discriminante").get_extents(Atspi.CoordType.SCREEN)
    p.xdotool("mousemove", str(extents.x + 5), str(extents.y + extents.height // 2))
    p.xdotool("mousemove_relative", "2", "0")  # a tooltip follows a pointer that moves
    text = p.tooltip("D = ")
    expect(text, "Valor exacto: 5\nD = b² − 4ac = (−3)² − 4·1·1 = 9 − 4 = 5\n"
           "Ctrl+R: la resolución completa, con la gráfica", "the tooltip")
    p.xdotool("mousemove", "0", "0")


def scenario_resolution(p):
    # Ctrl+R opens the whole resolution, read line by line as a screen reader reads it; the
    # result boxes' context menu opens the very same window.
    calculate(p, "1", "-3", "1")
    wait_results(p, ("2,61803398874989", "0,381966011250105", "5", REAL))
    p.key("ctrl+r")
    window = p.window("Resolución")
    lines = p.find(window, name="Resolución paso a paso", role="text")
    text = wait_for(lambda: p.text_of(lines) or None, what="the resolution's lines")
    for line in ("Ecuación: x² − 3x + 1 = 0",
                 "x₁ = (−b + √D)/(2a) = (3 + √5)/(2·1) = (3 + √5)/2 ≈ 2,62",
                 "Vértice: V = (−b/(2a); −D/(4a)) = (3/2; −5/4)",
                 "Forma factorizada: (x − (3 + √5)/2)(x − (3 − √5)/2)"):
        if line not in text.split("\n"):
            raise AssertionError(f"no line {line!r} in {text!r}")
    graph = p.find(window, name="Gráfica de la parábola")
    expect("x₁ ≈ 2,62" in graph.get_description(), True, "the graph's description")
    p.click(p.box("Primera raíz"))
    p.key("Menu")
    time.sleep(0.5)
    p.key("Up", "Return")
    wait_for(lambda: p.focused(lines) or p.windows().get("Resolución"), what="the resolution")
    expect(len(p.windows().get("Resolución", [])), 1, "resolution windows")
    close_resolution(p)


def scenario_nothing_behind_a_message_box(p):
    # A screen reader's "press" reaches Calcular and Borrar behind an open message box; neither
    # may run while it is open.
    calculate(p, "1", "abc", "2")
    p.window("Brimel")
    p.act(p.button("Calcular"), "Press")
    p.act(p.button("Borrar"), "Press")
    time.sleep(0.5)
    expect(len(p.windows().get("Brimel", [])), 1, "message boxes")
    expect(p.text_of(p.box("Coeficiente b")), "abc", "b behind the box")
    dismiss_message_box(p)


def scenario_clear(p):
    calculate(p, "1", "2", "5")
    wait_results(p, ("-1+2 i", "-1-2 i", "-16", COMPLEX))
    p.click(p.button("Borrar"))
    expect(results(p), ("", "", "", COMPLEX), "after Borrar")
    for name in ("Coeficiente a", "Coeficiente b", "Coeficiente c"):
        expect(p.text_of(p.box(name)), "", name)


def scenario_secondary_windows(p):
    p.click(p.box("Coeficiente a"))
    p.key("ctrl+a")
    p.key("ctrl+a")
    about = p.window("Acerca de..")
    p.click(p.box("Coeficiente b"))  # back to the main window: no window manager raises it
    p.key("ctrl+f")
    p.key("ctrl+f")
    help_window = p.window("Ayuda")
    time.sleep(0.3)
    windows = p.windows()
    expect(len(windows.get("Acerca de..", [])), 1, "about windows")
    expect(len(windows.get("Ayuda", [])), 1, "help windows")
    p.find(about, name="Programa realizado por Vorno", role="label")
    p.find(help_window, name="c es el término independiente", role="label")
    p.click(p.button("Cerrar", about))
    wait_for(lambda: "Acerca de.." not in p.windows(), what="the about window to close")
    p.click(p.button("Volver", help_window))
    wait_for(lambda: "Ayuda" not in p.windows(), what="the help window to close")
    expect(MAIN_TITLE in p.windows(), True, "main window still open")


def scenario_escape_closes_secondary_windows(p):
    for keys, title in (("ctrl+a", "Acerca de.."), ("ctrl+f", "Ayuda")):
        p.click(p.box("Coeficiente a"))
        p.key(keys)
        window = p.window(title)
        wait_for(lambda: window.get_state_set().contains(Atspi.StateType.ACTIVE),
                 what=f"{title!r} active")
        p.key("Escape")
        wait_for(lambda: title not in p.windows(), what=f"Escape to close {title!r}")
    expect(MAIN_TITLE in p.windows(), True, "main window still open")


def scenario_desktop_identity(p):
    # Docks group a window with the launcher whose StartupWMClass is its WM_CLASS.
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(DESKTOP_ENTRY, encoding="utf-8")
    wanted = entry["Desktop Entry"]["StartupWMClass"]
    window = subprocess.run(["xdotool", "search", "--name", "^" + MAIN_TITLE + "$"],
                            env=p.session.env, capture_output=True, text=True,
                            check=True).stdout.split()[0]
    wm_class = subprocess.run(["xprop", "-id", window, "WM_CLASS"], env=p.session.env,
                              capture_output=True, text=True, check=True).stdout
    expect(wm_class.strip(), f'WM_CLASS(STRING) = "brimel", "{wanted}"', "WM_CLASS")


def scenario_clock(p):
    clock = p.find(p.main(), role="label", description="Hora")
    first = clock.get_name()
    wait_for(lambda: clock.get_name() not in ("", first), timeout=2.0, what="a new second")


def scenario_copy_with_selection(p):
    calculate(p, "1", "2", "5")
    wait_results(p, ("-1+2 i", "-1-2 i", "-16", COMPLEX))
    p.click(p.box("Primera raíz"))
    p.key("End", "shift+Home", "ctrl+c")
    wait_for(lambda: p.clipboard() == "-1+2 i", what="the clipboard")
    expect(MAIN_TITLE in p.windows(), True, "main window still open after copying")


def scenario_ctrl_c_closes(p):
    p.click(p.box("Coeficiente a"))
    p.key("End", "ctrl+c")
    code = p.process.wait(timeout=10)
    expect(code, 0, "exit code after Cerrar")


SCENARIOS = [
    scenario_table,
    scenario_return_computes,
    scenario_return_presses_the_focused_button,
    scenario_empty_box,
    scenario_bad_coefficient,
    scenario_a_is_zero,
    scenario_equation_as_typed,
    scenario_exact_value_by_keyboard,
    scenario_working_on_hover,
    scenario_resolution,
    scenario_nothing_behind_a_message_box,
    scenario_clear,
    scenario_secondary_windows,
    scenario_escape_closes_secondary_windows,
    scenario_desktop_identity,
    scenario_clock,
    scenario_copy_with_selection,
    scenario_ctrl_c_closes,  # last: it ends the program
]


def run_scenarios(program_path):
    passed = failed = 0
    program = Program(session.start_program(program_path), session)
    for scenario in SCENARIOS:
        t0 = time.monotonic()
        try:
            reset(program)
            scenario(program)
            passed += 1
            print(f"PASS {scenario.__name__} ({time.monotonic() - t0:.1f} s)", flush=True)
        except Exception:
            failed += 1
            print(f"FAIL {scenario.__name__}", flush=True)
            traceback.print_exc()
    print(f"{passed} passed, {failed} failed")
    return 0 if passed == len(SCENARIOS) else 1


if __name__ == "__main__":
    started = time.monotonic()
    status = session.run_test(run_scenarios, sys.argv[1])
    print(f"end-to-end: {time.monotonic() - started:.1f} s")
    sys.exit(status)
