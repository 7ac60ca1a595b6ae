# SPDX-License-Identifier: MIT
"""A private desktop session for end-to-end tests: its own D-Bus session bus and accessibility
bus on the private X server it runs on (tools/with_private_x.sh gives it one), and the program
started in it. Everything is started and stopped by process id; nothing outside the session is
touched."""

import atexit
import os
import shutil
import signal
import subprocess
import tempfile
import time


class Ended(Exception):
    """Waiting is pointless: what we wait on is gone."""


# What a condition may raise while the thing waited on is not there yet: a control not found,
# and (added by desktop.py) the accessibility library's errors for objects that went away.
# Anything else is a fault of the test and ends the wait at once.
TRANSIENT_ERRORS = [LookupError]


def wait_for(condition, timeout=5.0, interval=0.05, what="condition"):
    """Polls condition() until it returns something true; returns it or raises TimeoutError.
    condition() may raise Ended to stop waiting at once."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except tuple(TRANSIENT_ERRORS):
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out waiting for {what}")
        time.sleep(interval)


class Session:
    def __init__(self):
        self.processes = []
        self.folder = tempfile.mkdtemp(prefix="brimel-e2e-")
        if not os.environ.get("BRIMEL_PRIVATE_X"):
            raise RuntimeError("run the end-to-end tests under tools/with_private_x.sh")
        self.env = {
            key: value
            for key, value in os.environ.items()
            if not key.startswith(("DBUS_", "AT_SPI", "QT_", "WAYLAND", "XDG_"))
        }
        runtime_dir = os.path.join(self.folder, "runtime")
        os.mkdir(runtime_dir, 0o700)
        self.env["XDG_RUNTIME_DIR"] = runtime_dir
        # What the servers and the program write, shown when a test fails.
        self.log_path = os.path.join(self.folder, "session.log")
        self.log = open(self.log_path, "w", buffering=1)
        atexit.register(self.close)  # also when the test dies before it could close the session
        self._start_buses()

    def _spawn(self, command, env=None, **kwargs):
        kwargs.setdefault("stdout", self.log)
        kwargs.setdefault("stderr", self.log)
        process = subprocess.Popen(command, env=env or self.env, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def _start_buses(self):
        bus = self._spawn(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1",
             f"--address=unix:dir={self.folder}"],
            stdout=subprocess.PIPE,
            text=True,
        )
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        # A program that starts before the accessibility bus is announced never joins it.
        wait_for(self._accessibility_bus_ready, timeout=10, what="the accessibility bus")
        # The accessibility client in this process talks to the session's buses.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]

    def _accessibility_bus_ready(self):
        answer = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
            env=self.env, capture_output=True, text=True, timeout=5)
        return "boolean true" in answer.stdout

    def start_program(self, program, extra_env=None, wrapper=()):
        env = dict(self.env)
        env.update({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "LANG": "es_ES.UTF-8",
                    "LC_ALL": "es_ES.UTF-8"})
        env.update(extra_env or {})
        return self._spawn(list(wrapper) + [program], env=env)

    def run(self, command, **kwargs):
        return subprocess.run(command, env=self.env, check=True, **kwargs)

    def run_test(self, test, *args):
        """Runs test(*args), which returns an exit status; shows the session log when it fails
        or raises, and closes the session either way. Returns the status."""
        status = 1
        try:
            status = test(*args)
        finally:
            if status != 0:
                self.report()
            self.close()
        return status

    def report(self):
        """Prints what the servers and the program wrote, for a failing test's output."""
        with open(self.log_path, encoding="utf-8", errors="replace") as log:
            text = log.read().strip()
        if text:
            print("--- session log ---\n" + text + "\n--- end of session log ---", flush=True)

    def close(self):
        """Stops everything the session started and removes its folder; later calls do nothing."""
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        self.processes.clear()
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)
