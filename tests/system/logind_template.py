'''logind mock with scheduled shutdowns and polkit's password prompt

The stock logind template of python3-dbusmock plus ScheduleShutdown,
CancelScheduledShutdown, SetWallMessage and the ScheduledShutdown, WallMessage and
EnableWallMessages properties, behaving as systemd-logind 252 does: the request's
due time is taken as sent, however long polkit took to agree; ScheduledShutdown
names the type without the "dry-" of a dry run; a new request replaces the pending
one; at its due time the request is carried out (here: forgotten).

Parameters (besides the stock ones):
  "CanPowerOff", "CanReboot": "yes", "challenge" or "no", also deciding whether
      ScheduleShutdown and CancelScheduledShutdown are allowed: "challenge" only
      after polkit asked for a password, which needs interactive authorization
      allowed on the message (otherwise InteractiveAuthorizationRequired), "no"
      never.
  "SetWallMessage": "yes" (default) or "challenge" (changing the message needs
      interactive authorization, as for an administrator's right).
  "WallMessage": the stored wall message at start.

The mock's own interface org.example.Quillon.LogindMock sets up the rest:
  SetPrompt(d seconds, b grant): how long the password prompt takes, and whether
      the user then gives the password (true) or dismisses the prompt (false).
  SetPolkitTimeout(d seconds): how long logind waits for polkit's answer before it
      gives up and refuses with NoReply (25 s in logind 252, the sd-bus default; 0,
      the mock's default, waits forever). A password typed later changes nothing.
  SetKeepAuthorization(b keep): a given password counts for the same caller's
      later calls (polkit's auth_admin_keep, the default) or not (auth_admin);
      forgets the authorizations given so far.
  ScheduleAsAdministrator(s type, t usec): a pending shutdown that someone else
      scheduled (type may have "dry-"), without asking polkit.
  Reset(): nothing pending, no authorization kept, no prompt delay.
'''

import time

import dbus
from gi.repository import GLib

from dbusmock.templates.logind import *  # noqa: F401,F403 (its methods become ours)
from dbusmock.templates import logind

BUS_NAME = logind.BUS_NAME
MAIN_OBJ = logind.MAIN_OBJ
MAIN_IFACE = logind.MAIN_IFACE
SYSTEM_BUS = True
CONTROL_IFACE = 'org.example.Quillon.LogindMock'

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
        'WallMessage': parameters.get('WallMessage', ''),
        'EnableWallMessages': False,
    }, signature='sv'))
    _reset(mock)


def _reset(mock):
    mock.quillon_prompt = (0.0, True)
    mock.quillon_polkit_timeout = 0.0
    mock.quillon_keep = True
    mock.quillon_kept = set()
    _forget_pending(mock)


def _forget_pending(mock):
    timer = getattr(mock, 'quillon_due_timer', None)
    if timer:
        GLib.source_remove(timer)
    mock.quillon_due_timer = None
    _set_quietly(mock, 'ScheduledShutdown', NOTHING_PENDING)


def _set_quietly(mock, name, value):
    # logind emits no change signal for these.
    mock.props[MAIN_IFACE][name] = value


def _base(kind):
    return kind[4:] if kind.startswith('dry-') else kind


def _authorize(mock, right, msg, sender, granted, refused):
    '''Calls granted() or refused(exception), after the prompt's time where polkit asks.'''
    if right == 'yes' or (right == 'challenge' and sender in mock.quillon_kept):
        granted()
        return
    if right != 'challenge':
        refused(dbus.exceptions.DBusException('Access denied', name='org.freedesktop.DBus.Error.AccessDenied'))
        return
    if not msg.get_allow_interactive_authorization():
        refused(dbus.exceptions.DBusException(
            'Interactive authentication required.',
            name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired'))
        return
    seconds, grant = mock.quillon_prompt
    give_up = mock.quillon_polkit_timeout
    if give_up and seconds > give_up:
        def timed_out():
            refused(dbus.exceptions.DBusException('Method call timed out',
                                                  name='org.freedesktop.DBus.Error.NoReply'))
            return False

        GLib.timeout_add(int(give_up * 1000), timed_out)
        return

    def answer():
        if grant:
            if mock.quillon_keep:
                mock.quillon_kept.add(sender)
            granted()
        else:
            refused(dbus.exceptions.DBusException('Access denied', name='org.freedesktop.DBus.Error.AccessDenied'))
        return False

    GLib.timeout_add(int(seconds * 1000), answer)


def _hold(mock, kind, usec):
    _forget_pending(mock)
    _set_quietly(mock, 'ScheduledShutdown', dbus.Struct((_base(kind), dbus.UInt64(usec)), signature='st'))
    # At its due time logind carries the request out; a dry run is only forgotten, and the
    # mock forgets the real one too.
    delay_ms = max(0, (int(usec) - time.time_ns() // 1000) // 1000)
    mock.quillon_due_timer = GLib.timeout_add(int(min(delay_ms, 2 ** 31 - 1)), _come_due, mock)


def _come_due(mock):
    mock.quillon_due_timer = None
    _set_quietly(mock, 'ScheduledShutdown', NOTHING_PENDING)
    return False


@dbus.service.method(MAIN_IFACE, in_signature='st', out_signature='', sender_keyword='sender',
                     message_keyword='msg', async_callbacks=('ok', 'fail'))
def ScheduleShutdown(self, kind, usec, sender=None, msg=None, ok=None, fail=None):
    if _base(kind) not in ('poweroff', 'reboot', 'halt'):
        fail(dbus.exceptions.DBusException(f'Unsupported shutdown type: {kind}',
                                           name='org.freedesktop.DBus.Error.InvalidArgs'))
        return

    def granted():
        # The due time as sent, not as of now.
        _hold(self, str(kind), int(usec))
        ok()

    _authorize(self, self.quillon_rights.get(_base(kind), 'yes'), msg, sender, granted, fail)


@dbus.service.method(MAIN_IFACE, in_signature='', out_signature='b', sender_keyword='sender',
                     message_keyword='msg', async_callbacks=('ok', 'fail'))
def CancelScheduledShutdown(self, sender=None, msg=None, ok=None, fail=None):
    kind = str(self.props[MAIN_IFACE]['ScheduledShutdown'][0])
    if not kind:
        ok(False)
        return

    def granted():
        _forget_pending(self)
        ok(True)

    _authorize(self, self.quillon_rights.get(kind, 'yes'), msg, sender, granted, fail)


@dbus.service.method(MAIN_IFACE, in_signature='sb', out_signature='', sender_keyword='sender',
                     message_keyword='msg', async_callbacks=('ok', 'fail'))
def SetWallMessage(self, message, enable, sender=None, msg=None, ok=None, fail=None):
    def granted():
        _set_quietly(self, 'WallMessage', message)
        _set_quietly(self, 'EnableWallMessages', enable)
        ok()

    _authorize(self, self.quillon_rights['wall'], msg, sender, granted, fail)


@dbus.service.method(CONTROL_IFACE, in_signature='db', out_signature='')
def SetPrompt(self, seconds, grant):
    self.quillon_prompt = (float(seconds), bool(grant))


@dbus.service.method(CONTROL_IFACE, in_signature='d', out_signature='')
def SetPolkitTimeout(self, seconds):
    self.quillon_polkit_timeout = float(seconds)


@dbus.service.method(CONTROL_IFACE, in_signature='b', out_signature='')
def SetKeepAuthorization(self, keep):
    self.quillon_keep = bool(keep)
    self.quillon_kept = set()


@dbus.service.method(CONTROL_IFACE, in_signature='st', out_signature='')
def ScheduleAsAdministrator(self, kind, usec):
    _hold(self, str(kind), int(usec))


@dbus.service.method(CONTROL_IFACE, in_signature='', out_signature='')
def Reset(self):
    _reset(self)
