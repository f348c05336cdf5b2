# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""What the end-to-end scenarios, the accessibility checks and the start-up and latency
benchmarks share: a private X server, D-Bus session and accessibility buses, processes and their
output, windows found and read through the X server, and the end-to-end `Session`.

Scripts put tests/support on sys.path (and turn off bytecode files, so that nothing is written
into the source tree). The modules are imported one by one: only `session` needs the
calculator's layout model (tests/e2e/layout.py) on the path, and only `session`, `xserver` and
`windows` need python3-xlib.
"""
