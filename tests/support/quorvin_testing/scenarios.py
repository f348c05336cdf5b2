# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

"""End-to-end scenarios: functions of a scenario module marked with how they are run."""

import dataclasses

from .session import SCREEN


@dataclasses.dataclass
class Scenario:
    name: str
    function: object
    modes: tuple  # "none" (no window manager), "openbox"
    ready: bool   # started and checked up to a painted, focused window before it runs
    screen: str   # the Xvfb screen, "WIDTHxHEIGHTxDEPTH"
    prepare: object  # called with the Session before the program starts, or None


def scenario(modes=("none", "openbox"), ready=True, screen=SCREEN, prepare=None):
    """Marks a function of a scenario module as a scenario; it receives a started Session."""
    def register(function):
        function.e2e_scenario = Scenario(function.__name__, function, tuple(modes), ready,
                                         screen, prepare)
        return function
    return register


def scenarios_of(module):
    """The module's scenarios in the order they are defined."""
    return [value.e2e_scenario for value in vars(module).values()
            if hasattr(value, "e2e_scenario")]
