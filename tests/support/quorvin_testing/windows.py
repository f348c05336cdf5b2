# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""Finding a program's window and reading it through the X server."""

from Xlib import X, Xatom, error
from Xlib.protocol import event as xevent


def _text(value):
    return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)


def find_window(conn, title, pid):
    """The window titled `title` (_NET_WM_NAME) whose _NET_WM_PID is `pid`, searched
    depth-first under the root, or None.

    Without a window manager the client window is a direct child of the root; the search goes
    deeper so that a reparenting window manager does not hide it.
    """
    name_atom = conn.get_atom("_NET_WM_NAME")
    pid_atom = conn.get_atom("_NET_WM_PID")
    pending = [conn.screen().root]
    while pending:
        try:
            children = pending.pop().query_tree().children
        except error.XError:
            continue
        for child in children:
            try:
                name = child.get_full_property(name_atom, X.AnyPropertyType)
                owner = child.get_full_property(pid_atom, Xatom.CARDINAL)
                if (name is not None and _text(name.value) == title and owner is not None
                        and int(owner.value[0]) == pid):
                    return child
                pending.append(child)
            except error.XError:
                continue  # destroyed while we looked
    return None


def byte_order(conn):
    """The byte order of the server's images, for int.from_bytes()."""
    return "little" if conn.display.info.image_byte_order == X.LSBFirst else "big"


def pixel(conn, window, x, y):
    """The (r, g, b) of one pixel of a viewable window, or None while it cannot be read.

    Assumes a 24- or 32-bit TrueColor visual with 8 bits per channel (Xvfb's default visual and
    the one Qt picks for an opaque window).
    """
    try:
        image = window.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF)
    except error.XError:
        return None  # not mapped yet, or already gone
    value = int.from_bytes(image.data[:4], byte_order(conn))
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def send_delete(conn, window):
    """Asks the window to close, as a window manager's close button does."""
    protocols = conn.get_atom("WM_PROTOCOLS")
    delete = conn.get_atom("WM_DELETE_WINDOW")
    message = xevent.ClientMessage(window=window, client_type=protocols,
                                   data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    conn.sync()  # the server has sent it before the connection does anything else
