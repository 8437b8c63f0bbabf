#!/usr/bin/env python3
"""A BlueZ stand-in on a private bus: one adapter, printers (serial port profile; each a
simulator's pty, its PIN the one in the simulator's state file: --printer ADDRESS PTY STATE)
and a phone (no serial port), the agent and profile managers. Pair asks the registered agent
for the PIN; ConnectProfile hands one end of a socket pair to the profile's NewConnection and
pumps the other end to the printer's pty. org.tarvek.Test.CutAfter(N) closes the connection
once N more bytes came from the host; Held() counts the agents and profiles registered."""
import argparse, os, socket, termios, tty
import dbus, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SPP = "00001101-0000-1000-8000-00805f9b34fb"
ADAPTER = "/org/bluez/hci0"
PROPS, OM = "org.freedesktop.DBus.Properties", "org.freedesktop.DBus.ObjectManager"
AGENTS, PROFILES = "org.bluez.AgentManager1", "org.bluez.ProfileManager1"


class Error(dbus.DBusException):
    def __init__(self, name, text=""):
        super().__init__(text)
        self._dbus_error_name = "org.bluez.Error." + name


class Root(dbus.service.Object):
    """The object manager at /; the agent and profile managers at /org/bluez."""
    SUPPORTS_MULTIPLE_OBJECT_PATHS = True

    def __init__(self, bus):
        super().__init__()
        self.add_to_connection(bus, "/")
        self.add_to_connection(bus, "/org/bluez")
        self.objects, self.agents, self.profiles, self.default_agent = {}, {}, {}, None
        self.cut = None  # host bytes still let through before a connection is cut

    @dbus.service.method("org.tarvek.Test", in_signature="u")
    def CutAfter(self, count):
        self.cut = count

    @dbus.service.method("org.tarvek.Test", out_signature="u")
    def Held(self):
        return len(self.agents) + len(self.profiles)

    @dbus.service.method(OM, out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        objects = {path: obj.interfaces() for path, obj in self.objects.items() if obj.visible}
        return dict(objects, **{"/org/bluez": {AGENTS: {}, PROFILES: {}}})

    @dbus.service.signal(OM, signature="oa{sa{sv}}")
    def InterfacesAdded(self, path, interfaces):
        pass

    @dbus.service.signal(OM, signature="oas")
    def InterfacesRemoved(self, path, interfaces):
        pass

    @dbus.service.method(AGENTS, in_signature="os", sender_keyword="sender")
    def RegisterAgent(self, path, capability, sender=None):
        self.agents[sender] = path

    @dbus.service.method(AGENTS, in_signature="o", sender_keyword="sender")
    def RequestDefaultAgent(self, path, sender=None):
        if self.agents.get(sender) != path:
            raise Error("DoesNotExist", "no such agent")
        self.default_agent = (sender, path)

    @dbus.service.method(AGENTS, in_signature="o", sender_keyword="sender")
    def UnregisterAgent(self, path, sender=None):
        if self.agents.pop(sender, None) != path:
            raise Error("DoesNotExist", "no such agent")
        if self.default_agent == (sender, path):
            self.default_agent = None

    @dbus.service.method(PROFILES, in_signature="osa{sv}", sender_keyword="sender")
    def RegisterProfile(self, path, uuid, options, sender=None):
        if uuid.lower() in self.profiles:
            raise Error("AlreadyExists", "UUID already registered")
        self.profiles[uuid.lower()] = (sender, path)

    @dbus.service.method(PROFILES, in_signature="o", sender_keyword="sender")
    def UnregisterProfile(self, path, sender=None):
        for uuid in [u for u, owner in self.profiles.items() if owner == (sender, path)] or [None]:
            if uuid is None:
                raise Error("DoesNotExist", "no such profile")
            del self.profiles[uuid]


class Node(dbus.service.Object):
    """An object of one interface with its properties, listed while visible."""
    interface = ""

    def __init__(self, bus, root, path, props):
        super().__init__(bus, path)
        self.bus, self.root, self.path, self.props, self.visible = bus, root, path, props, False
        root.objects[path] = self

    def interfaces(self):
        return {self.interface: self.props}

    def show(self, visible):
        if visible != self.visible:
            self.visible = visible
            if visible:
                self.root.InterfacesAdded(self.path, self.interfaces())
            else:
                self.root.InterfacesRemoved(self.path, [self.interface])

    def set(self, name, value):
        self.props[name] = value
        self.PropertiesChanged(self.interface, {name: value}, [])

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.props[name]

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.props if interface == self.interface else {}

    @dbus.service.method(PROPS, in_signature="ssv")
    def Set(self, interface, name, value):
        if name not in ("Trusted", "Alias", "Powered", "Discoverable", "Pairable", "Blocked"):
            raise dbus.DBusException(name, name="org.freedesktop.DBus.Error.PropertyReadOnly")
        self.set(name, value)

    @dbus.service.signal(PROPS, signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass


class Adapter(Node):
    interface = "org.bluez.Adapter1"

    def __init__(self, bus, root):
        super().__init__(bus, root, ADAPTER, {
            "Address": "00:AA:BB:CC:DD:EE", "AddressType": "public", "Name": "stand-in",
            "Alias": "stand-in", "Class": dbus.UInt32(0), "Powered": True, "Discoverable": False,
            "Pairable": True, "Discovering": False, "UUIDs": dbus.Array([], signature="s"),
            "Roles": dbus.Array(["central"], signature="s")})
        self.devices = []
        self.show(True)

    @dbus.service.method("org.bluez.Adapter1")
    def StartDiscovery(self):
        self.set("Discovering", True)  # the devices in range are found a moment later
        GLib.timeout_add(300, lambda: [device.show(True) for device in self.devices] and False)

    @dbus.service.method("org.bluez.Adapter1")
    def StopDiscovery(self):
        if not self.props["Discovering"]:
            raise Error("Failed", "No discovery started")
        self.set("Discovering", False)

    @dbus.service.method("org.bluez.Adapter1", in_signature="o")
    def RemoveDevice(self, path):
        device = self.root.objects.get(path)
        if device is None or not device.visible:
            raise Error("DoesNotExist", "Does Not Exist")
        device.DisconnectProfile(SPP)
        device.set("Paired", False)
        device.set("Trusted", False)
        device.show(False)


class Device(Node):
    interface = "org.bluez.Device1"

    def __init__(self, bus, root, adapter, address, name, cls, uuids, state=None, pty=None):
        super().__init__(bus, root, ADAPTER + "/dev_" + address.replace(":", "_"), {
            "Address": address, "AddressType": "public", "Name": name, "Alias": name,
            "Class": dbus.UInt32(cls), "Paired": False, "Trusted": False, "Blocked": False,
            "Connected": False, "LegacyPairing": True, "Adapter": dbus.ObjectPath(ADAPTER),
            "UUIDs": dbus.Array(uuids, signature="s"), "RSSI": dbus.Int16(-50)})
        self.state, self.pty, self.fds, self.watches = state, pty, [], []
        adapter.devices.append(self)

    @dbus.service.method("org.bluez.Device1", async_callbacks=("ok", "fail"))
    def Pair(self, ok, fail):
        paired = lambda: (self.set("Paired", True), ok())
        owner = self.root.default_agent or next(iter(self.root.agents.items()), None)
        if self.props["Paired"]:
            fail(Error("AlreadyExists", "Already Exists"))
        elif self.state is None:
            paired()  # pairing without a PIN
        elif owner is None:
            fail(Error("AuthenticationRejected", "no agent"))
        else:
            agent = dbus.Interface(self.bus.get_object(*owner), "org.bluez.Agent1")
            agent.RequestPinCode(self.path, timeout=30, reply_handler=lambda pin: paired()
                                 if "bt_pin=%s\n" % pin in open(self.state).read()
                                 else fail(Error("AuthenticationFailed")),
                                 error_handler=lambda e: fail(Error("AuthenticationRejected")))

    @dbus.service.method("org.bluez.Device1", in_signature="s", async_callbacks=("ok", "fail"))
    def ConnectProfile(self, uuid, ok, fail):
        owner = self.root.profiles.get(uuid.lower())
        if not self.props["Paired"] or uuid.lower() not in self.props["UUIDs"] or owner is None:
            return fail(Error("NotAvailable", "Operation currently not available"))
        ours, theirs = socket.socketpair()
        serial = os.open(self.pty, os.O_RDWR | os.O_NOCTTY)
        tty.setraw(serial)  # the printer's line: 19200 8N1
        attrs = termios.tcgetattr(serial)
        attrs[4] = attrs[5] = termios.B19200
        termios.tcsetattr(serial, termios.TCSANOW, attrs)
        self.fds = [ours.detach(), serial]
        self.watches = [GLib.io_add_watch(a, GLib.IO_IN | GLib.IO_HUP, self.pump, b)
                        for a, b in (self.fds, self.fds[::-1])]
        profile = dbus.Interface(self.bus.get_object(*owner), "org.bluez.Profile1")
        profile.NewConnection(self.path, dbus.types.UnixFd(theirs), {}, timeout=10,
                              reply_handler=lambda: (self.set("Connected", True), ok()),
                              error_handler=lambda e: (self.DisconnectProfile(uuid), fail(Error("Failed"))))
        theirs.close()

    def pump(self, source, condition, target):
        data = os.read(source, 4096) if condition & GLib.IO_IN else b""
        budget = self.root.cut if source == self.fds[0] else None
        if budget is not None:
            data, self.root.cut = data[:budget], budget - len(data)
        if data:
            os.write(target, data)
        if data and (budget is None or self.root.cut > 0):
            return True
        if budget is not None and self.root.cut <= 0:
            self.root.cut = None
        self.DisconnectProfile(SPP)
        return False

    @dbus.service.method("org.bluez.Device1", in_signature="s")
    def DisconnectProfile(self, uuid):
        for watch in self.watches:
            GLib.source_remove(watch)
        for fd in self.fds:
            os.close(fd)
        self.fds, self.watches = [], []
        if self.props["Connected"]:
            self.set("Connected", False)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--printer", nargs=3, action="append", required=True)
    args = parser.parse_args()
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SystemBus()
    root = Root(bus)
    adapter = Adapter(bus, root)
    for address, pty, state in args.printer:
        Device(bus, root, adapter, address, "Label Printer", 0x040680, [SPP], state, pty)
    Device(bus, root, adapter, "66:77:88:99:AA:BB", "Phone", 0x5A020C,
           ["0000110a-0000-1000-8000-00805f9b34fb", "0000111f-0000-1000-8000-00805f9b34fb"])
    name = dbus.service.BusName("org.bluez", bus)  # noqa: F841 (held for the life of the loop)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
