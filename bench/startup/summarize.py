# SPDX-License-Identifier: MIT
"""Summarizes run.sh's measurements, session by session: median (min-max) per program, ratios to
the bare Qt window measured in the same session, and Brimel's memory against its own in the
plain session."""

import statistics
import sys

MAP, FRAME, PEAK, CPU, WAKEUPS, REPAINTS, LARGEST = range(7)

rows = {}
with open(sys.argv[1]) as results:
    for line in results:
        session, name, idle, *values = line.split()
        rows.setdefault(session, {}).setdefault(name, []).append(
            (float(idle), [float(v) for v in values]))


def column(programs, name, index, idle_only=False):
    return [values[index] for idle, values in programs[name] if not idle_only or idle > 0]


def spread(values):
    if not values:
        return "-"
    return f"{statistics.median(values):.0f} ({min(values):.0f}-{max(values):.0f})"


def median(programs, name, index):
    return statistics.median(column(programs, name, index))


baseline = "bare-qt"
for session, programs in rows.items():
    print(f"\n{session} session")
    print(f"{'program':<14} {'mapped ms':>15} {'first frame ms':>15} {'peak MiB':>9} "
          f"{'CPU ms/idle s':>14} {'wake-ups/s':>11} {'repaint px':>11}")
    for name in programs:
        idle_seconds = max((idle for idle, _ in programs[name]), default=0)
        cpu = [c / idle_seconds for c in column(programs, name, CPU, True)] if idle_seconds else []
        wakeups = [w / idle_seconds for w in column(programs, name, WAKEUPS, True)] \
            if idle_seconds else []
        largest = column(programs, name, LARGEST, True)
        print(f"{name:<14} {spread(column(programs, name, MAP)):>15} "
              f"{spread(column(programs, name, FRAME)):>15} "
              f"{median(programs, name, PEAK) / 1024:>9.1f} "
              f"{(f'{statistics.median(cpu):.2f}' if cpu else '-'):>14} "
              f"{(f'{statistics.median(wakeups):.1f}' if wakeups else '-'):>11} "
              f"{(f'{max(largest):.0f}' if largest else '-'):>11}")
    if baseline in programs:
        for name in programs:
            if name == baseline:
                continue
            ratios = [median(programs, name, i) / median(programs, baseline, i)
                      for i in (MAP, FRAME, PEAK)]
            cpu = [c for c in column(programs, name, CPU, True)]
            base_cpu = [c for c in column(programs, baseline, CPU, True)]
            cpu_ratio = (f", idle CPU x{statistics.median(cpu) / statistics.median(base_cpu):.2f}"
                         if cpu and base_cpu and statistics.median(base_cpu) > 0 else "")
            print(f"{name:<14} vs {baseline}: mapped x{ratios[0]:.2f}, first frame "
                  f"x{ratios[1]:.2f}, peak memory x{ratios[2]:.2f}{cpu_ratio}")
if "plain" in rows and "brimel" in rows["plain"]:
    plain_peak = median(rows["plain"], "brimel", PEAK)
    for session, programs in rows.items():
        if session != "plain" and "brimel" in programs:
            print(f"brimel peak memory, {session} session against plain: "
                  f"x{median(programs, 'brimel', PEAK) / plain_peak:.2f}")
print("\nwake-ups: voluntary context switches; 'repaint px' is the largest area repainted while "
      "idle (a time label alone is about 65 x 16 px, 1040 to 1105 px).")
