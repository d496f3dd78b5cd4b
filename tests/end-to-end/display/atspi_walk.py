#!/usr/bin/python3
# SPDX-License-Identifier: Apache-2.0
"""Walks the accessible tree of one running program through AT-SPI, as a
screen reader sees it, and prints one line per object:

    <depth>|<role>|<name>|<text>|<labelled by>|<states>

<text> is what the object's Text interface holds (a label's words),
<labelled by> the names of the objects that label it, <states> "checked"
where set. With --expect FILE, every line of FILE (without the depth) must be
among the printed lines, and no push button, radio button or label that a
person can reach may be without a name; the exit status tells.

Usage: atspi_walk.py PID [--expect FILE]
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

NAMED_ROLES = {"push button", "radio button", "check box"}


def find_application(pid, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.2)
    return None


def text_of(node):
    text = node.get_text_iface()
    if text is None:
        return ""
    return Atspi.Text.get_text(text, 0, Atspi.Text.get_character_count(text))


def labelled_by(node):
    names = []
    for relation in node.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            for k in range(relation.get_n_targets()):
                names.append(relation.get_target(k).get_name())
    return ",".join(names)


def walk(node, depth, lines):
    states = node.get_state_set()
    line = "|".join(
        [
            node.get_role_name(),
            node.get_name(),
            text_of(node),
            labelled_by(node),
            "checked" if states.contains(Atspi.StateType.CHECKED) else "",
        ]
    )
    lines.append((depth, line, states.contains(Atspi.StateType.SHOWING)))
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, depth + 1, lines)


def main():
    pid = int(sys.argv[1])
    expect = sys.argv[3] if len(sys.argv) > 3 and sys.argv[2] == "--expect" else None
    app = find_application(pid)
    if app is None:
        print("FAIL: the program is not on the accessibility bus")
        return 1
    lines = []
    walk(app, 0, lines)
    for depth, line, _ in lines:
        print(f"{depth}|{line}")
    if expect is None:
        return 0
    failures = 0
    seen = {line for _, line, _ in lines}
    with open(expect, encoding="utf-8") as rows:
        for row in rows:
            row = row.rstrip("\n")
            if row and not row.startswith("#") and row not in seen:
                print(f"FAIL: not heard: {row}")
                failures += 1
    for _, line, showing in lines:
        role, name = line.split("|")[:2]
        if showing and role in NAMED_ROLES and not name.strip():
            print(f"FAIL: a {role} without a name")
            failures += 1
        if role == "check box":
            print(f"FAIL: a check box: {line}")
            failures += 1
    print(f"{failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
