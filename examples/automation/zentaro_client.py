#!/usr/bin/python3
"""Drives a running Zentaro over D-Bus: opens a model, runs VexScript, prints the results.

Needs Debian's python3-dbus, so run it with /usr/bin/python3 (another Python on the PATH may not
have it). Usage:

    examples/automation/zentaro_client.py [--model FILE] [--save] [--time-limit MS] SCRIPT...
"""

import argparse
import sys

import dbus

SERVICE = "com.velmark.Zentaro"
APPLICATION = "com.velmark.Zentaro.Application1"


def shown(value):
    """A D-Bus result as text: the empty value (an empty array) is shown as <empty>."""
    if isinstance(value, dbus.Array) and len(value) == 0:
        return "<empty>"
    if isinstance(value, dbus.Double):
        return repr(float(value))
    if isinstance(value, (dbus.Int32, dbus.Int64)):
        return str(int(value))
    return str(value)


def main():
    parser = argparse.ArgumentParser(description="Run VexScript in a running Zentaro.")
    parser.add_argument("--model", help="model file to open first")
    parser.add_argument("--save", action="store_true", help="save the model at the end")
    parser.add_argument("--time-limit", type=int, default=0,
                        help="abort each call that runs longer (milliseconds; 0: no limit)")
    parser.add_argument("scripts", nargs="*", help="VexScript texts to run")
    options = parser.parse_args()

    bus = dbus.SessionBus()
    entry = bus.get_object(SERVICE, "/com/velmark/Zentaro")
    path = entry.CreateObject(dbus_interface="com.velmark.Zentaro.Factory1")
    app = dbus.Interface(bus.get_object(SERVICE, path), APPLICATION)
    try:
        app.SetTimeLimit(dbus.UInt32(options.time_limit))
        if options.model:
            print("OpenModel:", shown(app.OpenModel(options.model)))
        for script in options.scripts:
            text, number = app.ExecuteScript(script)
            print("ExecuteScript:", shown(number), repr(str(text)))
        if options.save:
            app.SaveModel()
            print("SaveModel: done")
    except dbus.exceptions.DBusException as error:
        print("failed:", error.get_dbus_name(), error.get_dbus_message(), file=sys.stderr)
        return 1
    finally:
        app.Release()
    return 0


if __name__ == "__main__":
    sys.exit(main())
