#!/usr/bin/python3
"""A stand-in for the desktop's notification service on the test's session bus.

usage: notifications.py LOG RELEASE

Each notification sent to it is written to LOG as a line of JSON at once, but answered
only once the file RELEASE exists: a program that waited for the answer would stop there.
Then its "default" action is invoked, as a click on the notification would.
Prints "ready" once it owns the service's name.
"""

import json
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus, log, release):
        super().__init__(bus, PATH)
        self.log = log
        self.release = release
        self.last = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u",
                         async_callbacks=("answer", "fail"))
    def Notify(self, app_name, replaces_id, icon, summary, body, actions, hints, timeout, answer, fail):
        self.last += 1
        number = self.last
        with open(self.log, "a", encoding="utf-8") as f:
            f.write(json.dumps({"app_name": app_name, "icon": icon, "summary": summary, "body": body,
                                "actions": list(actions), "hints": {k: str(v) for k, v in hints.items()}},
                               ensure_ascii=False) + "\n")

        def click():
            self.ActionInvoked(dbus.UInt32(number), "default")
            return False

        def when_released():
            if not os.path.exists(self.release):
                return True
            answer(dbus.UInt32(number))
            GLib.timeout_add(100, click)
            return False

        GLib.timeout_add(50, when_released)

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return ["actions", "body"]

    @dbus.service.method(NAME, out_signature="ssss")
    def GetServerInformation(self):
        return ("stand-in", "velmora tests", "1", "1.2")

    @dbus.service.method(NAME, in_signature="u")
    def CloseNotification(self, number):
        self.NotificationClosed(number, dbus.UInt32(3))

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, number, key):
        pass

    @dbus.service.signal(NAME, signature="uu")
    def NotificationClosed(self, number, reason):
        pass


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)  # noqa: F841 -- held while running
    Notifications(bus, *sys.argv[1:3])
    print("ready", flush=True)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
