#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""A stand-in for the desktop's notification service on the test's session bus.

usage: notifications.py LOG RELEASE

Writes each notification to LOG as a line of JSON at once, but answers only once the file
RELEASE exists, and then invokes its "default" action as a click would. Prints "ready" once
it owns the service's name.
"""

import json
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus, log, release):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log, self.release, self.last = log, release, 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u", async_callbacks=("answer", "fail"))
    def Notify(self, app_name, replaces_id, icon, summary, body, actions, hints, timeout, answer, fail):
        self.last += 1
        number = dbus.UInt32(self.last)
        with open(self.log, "a", encoding="utf-8") as f:
            f.write(json.dumps({"summary": summary, "body": body, "actions": list(actions), "timeout": int(timeout),
                                "hints": {str(k): bool(v) if isinstance(v, dbus.Boolean) else str(v)
                                          for k, v in hints.items()}}) + "\n")

        def when_released():
            if not os.path.exists(self.release):
                return True
            answer(number)
            GLib.timeout_add(100, lambda: self.ActionInvoked(number, "default") or False)
            return False

        GLib.timeout_add(50, when_released)

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, number, key):
        pass


if __name__ == "__main__":
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)  # held while the stand-in runs
    Notifications(bus, *sys.argv[1:3])
    print("ready", flush=True)
    GLib.MainLoop().run()
