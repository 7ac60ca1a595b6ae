# SPDX-License-Identifier: MIT
"""Summarizes run.sh's measurements: median (min-max) per program, and ratios to the bare
Qt window measured in the same run."""

import statistics
import sys

rows = {}
with open(sys.argv[1]) as results:
    for line in results:
        name, idle, *values = line.split()
        rows.setdefault(name, []).append((float(idle), [float(v) for v in values]))


def column(name, index, idle_only=False):
    return [values[index] for idle, values in rows[name] if not idle_only or idle > 0]


def spread(values, unit=""):
    if not values:
        return "-"
    return (f"{statistics.median(values):.0f}{unit} "
            f"({min(values):.0f}-{max(values):.0f})")


baseline = "bare-qt"
print()
print(f"{'program':<14} {'mapped ms':>17} {'first frame ms':>17} {'peak MiB':>10} "
      f"{'idle CPU ms':>12} {'wake-ups/s':>11} {'repaint px':>11}")
for name in rows:
    idle_seconds = max((idle for idle, _ in rows[name]), default=0)
    cpu = column(name, 3, True)
    wakeups = [w / idle_seconds for w in column(name, 4, True)] if idle_seconds else []
    largest = column(name, 6, True)
    print(f"{name:<14} {spread(column(name, 0)):>17} {spread(column(name, 1)):>17} "
          f"{statistics.median(column(name, 2)) / 1024:>10.1f} "
          f"{(f'{statistics.median(cpu):.1f}' if cpu else '-'):>12} "
          f"{(f'{statistics.median(wakeups):.1f}' if wakeups else '-'):>11} "
          f"{(f'{max(largest):.0f}' if largest else '-'):>11}")
if baseline in rows:
    print()
    base = [statistics.median(column(baseline, i)) for i in range(3)]
    for name in rows:
        ratios = [statistics.median(column(name, i)) / base[i] for i in range(3)]
        print(f"{name:<14} vs {baseline}: mapped x{ratios[0]:.2f}, first frame x{ratios[1]:.2f}, "
              f"peak memory x{ratios[2]:.2f}")
print("\nidle columns: over each idle period; 'repaint px' is the largest area repainted while "
      "idle (the time label is 65 x 17 = 1105 px).")
