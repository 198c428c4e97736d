"""What the GNOME Shell tests ask of the shell that only its privileged callers may
ask: a screenshot (as the screenshot tool), the application grid (as Settings),
and keyboard and pointer input (through mutter's remote-desktop session, which
lives only as long as its caller's connection).

Usage: gnome_shell_tool.py screenshot FILE
       gnome_shell_tool.py show-applications
       gnome_shell_tool.py keys KEYSYM...        (hexadecimal, such as 0x61)
       gnome_shell_tool.py motion DX DY
       gnome_shell_tool.py monitors COUNT        (the first COUNT on, side by side)
"""
import sys
import time

import dbus

# mutter adds a remote-desktop session's keyboard and pointer to the seat a moment
# after Start returns, and takes them away at Stop: input sent outside that time
# is lost.
DEVICE_SETTLE_SECONDS = 1.0
MOTION_STEPS = 8
MOTION_STEP_SECONDS = 0.02


def use_monitors(bus, count):
    """Turns on the first `count` monitors, left to right at their first mode, and
    the others off, as the display settings do (a monitor in no logical monitor is
    off, and its output leaves the compositor)."""
    config = dbus.Interface(bus.get_object('org.gnome.Mutter.DisplayConfig',
                                           '/org/gnome/Mutter/DisplayConfig'),
                            'org.gnome.Mutter.DisplayConfig')
    serial, monitors, _, _ = config.GetCurrentState()
    logical = []
    x = 0
    for index, (ids, modes, _) in enumerate(monitors[:count]):
        mode = modes[0]
        logical.append(dbus.Struct(
            (dbus.Int32(x), dbus.Int32(0), dbus.Double(1.0), dbus.UInt32(0),
             dbus.Boolean(index == 0),
             dbus.Array([dbus.Struct((ids[0], mode[0], dbus.Dictionary({}, signature='sv')))],
                        signature='(ssa{sv})')),
            signature='iiduba(ssa{sv})'))
        x += int(mode[1])
    temporary = dbus.UInt32(1)
    config.ApplyMonitorsConfig(serial, temporary,
                               dbus.Array(logical, signature='(iiduba(ssa{sv}))'),
                               dbus.Dictionary({}, signature='sv'))
    return 0


def main(args):
    bus = dbus.SessionBus()
    command = args[0]
    if command == 'screenshot':
        # The shell answers only the callers it knows by name.
        bus.request_name('org.gnome.Screenshot')
        shell = bus.get_object('org.gnome.Shell.Screenshot', '/org/gnome/Shell/Screenshot')
        done, _ = shell.Screenshot(False, False, args[1],
                                   dbus_interface='org.gnome.Shell.Screenshot')
        return 0 if done else 1
    if command == 'show-applications':
        bus.request_name('org.gnome.Settings')
        shell = bus.get_object('org.gnome.Shell', '/org/gnome/Shell')
        shell.ShowApplications(dbus_interface='org.gnome.Shell')
        return 0
    if command == 'monitors':
        return use_monitors(bus, int(args[1]))
    desktop = bus.get_object('org.gnome.Mutter.RemoteDesktop', '/org/gnome/Mutter/RemoteDesktop')
    path = desktop.CreateSession(dbus_interface='org.gnome.Mutter.RemoteDesktop')
    session = dbus.Interface(bus.get_object('org.gnome.Mutter.RemoteDesktop', path),
                             'org.gnome.Mutter.RemoteDesktop.Session')
    session.Start()
    time.sleep(DEVICE_SETTLE_SECONDS)
    if command == 'keys':
        for keysym in args[1:]:
            session.NotifyKeyboardKeysym(dbus.UInt32(int(keysym, 16)), True)
            session.NotifyKeyboardKeysym(dbus.UInt32(int(keysym, 16)), False)
    elif command == 'motion':
        # A mouse reports a movement as a run of small steps.
        for _ in range(MOTION_STEPS):
            session.NotifyPointerMotionRelative(float(args[1]) / MOTION_STEPS,
                                                float(args[2]) / MOTION_STEPS)
            time.sleep(MOTION_STEP_SECONDS)
    else:
        print(__doc__, file=sys.stderr)
        return 2
    time.sleep(DEVICE_SETTLE_SECONDS)
    session.Stop()
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
