'''logind mock with scheduled shutdowns

The stock logind template of python3-dbusmock plus ScheduleShutdown,
CancelScheduledShutdown, SetWallMessage and the ScheduledShutdown property.

Parameters (besides the stock ones):
  "CanPowerOff", "CanReboot": "yes", "challenge" or "no", also deciding whether
      ScheduleShutdown is allowed: "challenge" only with interactive
      authorization allowed on the message (polkit asks), "no" never.
  "SetWallMessage": "yes" (default) or "challenge" (changing the message needs
      interactive authorization, as for an administrator's right).
'''

import dbus

from dbusmock.templates.logind import *  # noqa: F401,F403 (its methods become ours)
from dbusmock.templates import logind

BUS_NAME = logind.BUS_NAME
MAIN_OBJ = logind.MAIN_OBJ
MAIN_IFACE = logind.MAIN_IFACE
SYSTEM_BUS = True

NOTHING_PENDING = dbus.Struct(('', dbus.UInt64(0)), signature='st')


def load(mock, parameters):
    logind.load(mock, parameters)
    mock.quillon_rights = {
        'poweroff': parameters.get('CanPowerOff', 'yes'),
        'reboot': parameters.get('CanReboot', 'yes'),
        'wall': parameters.get('SetWallMessage', 'yes'),
    }
    mock.AddProperties(MAIN_IFACE, dbus.Dictionary({
        'ScheduledShutdown': NOTHING_PENDING,
        'WallMessage': '',
        'EnableWallMessages': False,
    }, signature='sv'))


def _authorize(right, msg):
    if right == 'yes':
        return
    if right == 'challenge' and msg.get_allow_interactive_authorization():
        return
    if right == 'challenge':
        raise dbus.exceptions.DBusException(
            'Interactive authentication required.',
            name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')
    raise dbus.exceptions.DBusException('Access denied', name='org.freedesktop.DBus.Error.AccessDenied')


def _set_quietly(mock, name, value):
    # logind emits no change signal for these.
    mock.props[MAIN_IFACE][name] = value


@dbus.service.method(MAIN_IFACE, in_signature='st', out_signature='', message_keyword='msg')
def ScheduleShutdown(self, kind, usec, msg=None):
    base = kind[4:] if kind.startswith('dry-') else kind
    if base not in ('poweroff', 'reboot', 'halt'):
        raise dbus.exceptions.DBusException(f'Unsupported shutdown type: {kind}',
                                            name='org.freedesktop.DBus.Error.InvalidArgs')
    _authorize(self.quillon_rights.get(base, 'yes'), msg)
    _set_quietly(self, 'ScheduledShutdown', dbus.Struct((kind, dbus.UInt64(usec)), signature='st'))


@dbus.service.method(MAIN_IFACE, in_signature='', out_signature='b', message_keyword='msg')
def CancelScheduledShutdown(self, msg=None):
    kind = str(self.props[MAIN_IFACE]['ScheduledShutdown'][0])
    if not kind:
        return False
    base = kind[4:] if kind.startswith('dry-') else kind
    _authorize(self.quillon_rights.get(base, 'yes'), msg)
    _set_quietly(self, 'ScheduledShutdown', NOTHING_PENDING)
    return True


@dbus.service.method(MAIN_IFACE, in_signature='sb', out_signature='', message_keyword='msg')
def SetWallMessage(self, message, enable, msg=None):
    _authorize(self.quillon_rights['wall'], msg)
    _set_quietly(self, 'WallMessage', message)
    _set_quietly(self, 'EnableWallMessages', enable)
