#!/usr/bin/python3
"""Averlin as a screen reader's tools find it: the real program, driven
through AT-SPI alone, on the accessibility bus that atspi_session.py starts.

    atspi_session.py -- atspi_test.py PATH/TO/averlin [unittest arguments]

Each case starts the program afresh. Keys and clicks go through the AT-SPI
registry, as Orca sends them; controls are found by their accessible names.
"""

import os
import sys
import subprocess
import time
import unittest
import warnings

import pyatspi
from gi.repository import Gio, GLib

sys.dont_write_bytecode = True

PROGRAM = None  # from the command line

# The hint of a control of each kind that has one, by its accessible name:
# those without a bubble first.
HINTS = {
    "Always On Top": "Always keep the program window on top of other applications.",
    "LSB: 0, Accumulator 1 bit numbering": "Switch the LSB indication between '0' and '1'",
    "A1 + A2, add A1 and A2": "Add ACCUMULATOR 1 and ACCUMULATOR 2.",
    "Shift count": "Defines the number of bit positions for all shift / rotation operations.",
    "Accumulator 2, bit 17": "Bit 17",
    "32 Bit": "Define the data word length: byte, word or doubleword.",
}
# The drop-down lists, which Qt names after their current item on Linux,
# and the label that a screen reader says for each instead: what a list is
# called must not be its item.
LISTS = {"32 Bit": "Dataword Size:", "Unsigned": "MSB Repr.:", "Byte": "Source unit", "kByte": "Target unit"}

KEYSYMS = {"BackSpace": 0xFF08, "Tab": 0xFF09, "Return": 0xFF0D, "End": 0xFF57, "Up": 0xFF52, "Down": 0xFF54,
           "F4": 0xFFC1, "space": 0x20}


def wait_until(condition, what, timeout=10.0):
    """Polls the condition, letting AT-SPI's events in, until it holds."""
    deadline = time.monotonic() + timeout
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            value = condition()
        except GLib.GError:  # something asked about went away meanwhile
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.02)


def states(accessible):
    return {pyatspi.stateToString(s) for s in accessible.getState().getStates()}


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def labels_of(accessible):
    """The labels a screen reader says for a control: those of the
    labelled-by relation that are not around it, as its group box is."""
    return [r.getTarget(i).name for r in accessible.getRelationSet()
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())
            if not pyatspi.findAncestor(accessible, lambda a, t=r.getTarget(i): a == t)]


def press(accessible):
    action = accessible.queryAction()
    action.doAction(next(i for i in range(action.nActions) if action.getName(i) == "Press"))


def click(accessible, x_fraction=0.5, y_fraction=0.5):
    """A mouse click on a control, through the registry."""
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + int(box.width * x_fraction),
                                        box.y + int(box.height * y_fraction), "b1c")


def qt_tells_list_values(app):
    """Whether the program's Qt offers a list's item as the selection of its
    popup list, and announcements as such (Qt 6.8 on), by the Qt version
    that the program reports on the bus; before, the program's stand-ins do."""
    return tuple(int(n) for n in app.get_toolkit_version().split(".")[:2]) >= (6, 8)


def list_value(accessible, qt_tells_list_values):
    """A drop-down list's current item where a screen reader looks for it:
    the selection of its popup list (Qt 6.8), else its selected text (the
    program's own interface)."""
    if qt_tells_list_values:
        return accessible.getChildAtIndex(0).querySelection().getSelectedChild(0).name
    text = accessible.queryText()
    return text.getText(*text.getSelection(0))


def keys(*names):
    """Presses and releases keys by their X keysym names; a character is its own."""
    for name in names:
        pyatspi.Registry.generateKeyboardEvent(KEYSYMS.get(name) or ord(name), None, pyatspi.KEY_SYM)


def accessibility_bus():
    """A connection of its own to the accessibility bus, for the calls that
    pyatspi makes only where a control offers them."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
    flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
    return Gio.DBusConnection.new_for_address_sync(address, flags, None, None)


class Program:
    """One run of the calculator, and its controls by their names."""

    def __init__(self):
        self.process = subprocess.Popen([PROGRAM])
        self.app = wait_until(self._application, "the program on the accessibility bus")
        self.window = wait_until(lambda: self.app.childCount and self.app[0], "its window")
        self.refresh()
        # A click makes the window active, as a window manager makes a new
        # window active, so that keys reach it.
        click(self.status_bar)
        wait_until(lambda: "active" in states(self.window), "the window active")

    def _application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def refresh(self):
        """Finds every control again: names follow what the window shows."""
        self.controls = {}
        self.all = []

        def walk(node):
            self.all.append(node)
            self.controls.setdefault(node.name, node)
            if node.getRole() == pyatspi.ROLE_STATUS_BAR:
                self.status_bar = node
            if node.getRole() != pyatspi.ROLE_COMBO_BOX:  # its items are named by their texts
                for child in node:
                    if child is not None:
                        walk(child)

        walk(self.window)

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)

    def __getitem__(self, name):
        return self.controls[name]

    def text(self, name):
        return text_of(self[name])

    def focus(self, name):
        self[name].queryComponent().grabFocus()
        wait_until(lambda: "focused" in states(self[name]), f"focus on {name}")

    def type_over(self, name, text):
        """Replaces a field's text by typing, as a user without a mouse does."""
        self.focus(name)
        keys("End", *["BackSpace"] * len(self.text(name)), *text)

    def bit_boxes(self, register):
        """A register's bit boxes as they stand, the rightmost (bit 0) first."""
        boxes = [c for c in self[register] if c.getRole() == pyatspi.ROLE_CHECK_BOX]
        return sorted(boxes, key=lambda box: -box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x)

    def views(self, register):
        """What a register's views show: hexadecimal, decimal, dotted quad, bits."""
        bits = sum(1 << n for n, box in enumerate(self.bit_boxes(register)) if "checked" in states(box))
        return (self.text(f"{register}, hexadecimal"), self.text(f"{register}, decimal"),
                self.text(f"{register}, dotted quad"), bits)


class AtspiCase(unittest.TestCase):
    def setUp(self):
        # pyatspi 2.46 calls functions that its own Atspi marks deprecated.
        warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")
        self.p = Program()
        self.addCleanup(self.p.close)


class Naming(AtspiCase):
    def test_controls_have_unique_names_their_labels_and_hints(self):
        named = {}
        for control in self.p.all:
            if "focusable" in states(control):
                self.assertTrue(control.name.strip(), f"a {control.getRoleName()} without a name")
                self.assertNotIn(control.name, named, "two controls of one name")
                named[control.name] = control
        self.assertEqual(len(named), 136)
        for item, label in LISTS.items():
            self.assertEqual(self.p[item].getRole(), pyatspi.ROLE_COMBO_BOX)
            self.assertEqual(labels_of(self.p[item]), [label], item)
            self.assertNotIn(self.p[item].description, (label, item), item)
        for name, hint in HINTS.items():
            self.assertEqual(self.p[name].description, hint, name)
        # The hint line follows the pointer; the status bar says it.
        click(self.p["Always On Top"], 0.1)
        wait_until(lambda: self.p.status_bar.name == HINTS["Always On Top"], "the hint in the status bar")


class Calculation(AtspiCase):
    def test_a_whole_calculation(self):
        p = self.p
        p.type_over("Accumulator 1, decimal", "300")
        wait_until(lambda: p.text("Accumulator 1, hexadecimal") == "12C", "A1 = 300")
        p.type_over("Accumulator 2, hexadecimal", "a")
        wait_until(lambda: p.text("Accumulator 2, decimal") == "10", "A2 = 10")
        self.assertEqual(p.text("Accumulator 2, hexadecimal"), "A")
        p.focus("Accumulator 1, bit 4")
        keys("space")
        wait_until(lambda: p.text("Accumulator 1, decimal") == "316", "bit 4 of A1 set by Space")
        press(p["A1 + A2, add A1 and A2"])
        wait_until(lambda: p.text("Result, decimal") == "326", "R = A1 + A2")
        self.assertEqual(p.views("Result"), ("146", "326", "0.0.1.70", 326))
        # The word length list by keyboard, from the field before it: open
        # it, two items up, Return.
        p.focus("Shift count")
        keys("Tab")
        wait_until(lambda: "focused" in states(p["32 Bit"]), "Tab to the word length list")
        keys("F4")
        wait_until(lambda: "showing" in states(p["32 Bit"][0]), "the list open")
        keys("Up", "Up", "Return")
        wait_until(lambda: p.text("Result, decimal") == "70", "R masked to 8 bits")
        self.assertEqual(p.views("Result"), ("46", "70", "0.0.0.70", 70))
        self.assertEqual(p.views("Accumulator 1"), ("3C", "60", "0.0.0.60", 60))
        p.refresh()
        self.assertEqual(p["  8 Bit"].getRole(), pyatspi.ROLE_COMBO_BOX)
        for bit in (7, 8, 31):
            self.assertEqual("enabled" in states(p[f"Accumulator 1, bit {bit}"]), bit < 8, bit)
        self.assertNotIn("enabled", states(p["Result, bit 0"]))


class Refusals(AtspiCase):
    def test_result_views_and_converter_output_refuse_writes(self):
        p = self.p
        p.type_over("Accumulator 1, decimal", "7")
        press(p["A1 + A2, add A1 and A2"])
        wait_until(lambda: p.text("Result, decimal") == "7", "R = 7")
        bus = accessibility_bus()
        writes = {"SetTextContents": ("(s)", ("99",)), "InsertText": ("(isi)", (0, "5", 1)),
                  "DeleteText": ("(ii)", (0, 1)), "CutText": ("(ii)", (0, 1)), "PasteText": ("(i)", (0,))}
        for name in ("Result, decimal", "Result, hexadecimal", "Result, dotted quad", "Converted amount"):
            view = p[name]
            shown = text_of(view)
            self.assertRaises(NotImplementedError, view.queryEditableText)
            # A client that writes all the same, straight over the bus.
            for method, (signature, args) in writes.items():
                bus.call_sync(view.app.bus_name, view.path, "org.a11y.atspi.EditableText", method,
                              GLib.Variant(signature, args), None, Gio.DBusCallFlags.NONE, 5000, None)
            self.assertEqual(text_of(view), shown, name)
            self.assertEqual(p.views("Result"), ("7", "7", "0.0.0.7", 7), name)
            self.assertIn("read only", states(view), name)
            self.assertNotIn("editable", states(view), name)


class WhatAScreenReaderHears(AtspiCase):
    def setUp(self):  # listening from before the program starts
        self.heard = []
        listener = lambda e: self.heard.append((e.type, e.source, e.source.getRole(), e.source.name,  # noqa: E731
                                                str(e.any_data), e.detail1))
        for kind in ("object:announcement", "object:state-changed:showing", "object:property-change:accessible-value",
                     "object:text-changed:insert", "object:selection-changed"):
            pyatspi.Registry.registerEventListener(listener, kind)
            self.addCleanup(pyatspi.Registry.deregisterEventListener, listener, kind)
        super().setUp()

    def announced(self):  # Qt 6.8's announcements, else notifications that show
        if qt_tells_list_values(self.p.app):
            return [data for kind, _, _, _, data, _ in self.heard if kind == "object:announcement"]
        return [name for kind, _, role, name, _, shown in self.heard
                if kind.endswith("showing") and role == pyatspi.ROLE_NOTIFICATION and shown]

    def test_values_list_items_shift_steps_and_results(self):
        p = self.p
        p.type_over("Accumulator 1, hexadecimal", "ff")
        keys("Tab")  # to the dotted quad, which selects its whole text, in one run of attributes
        text = p["Accumulator 1, dotted quad"].queryText()
        wait_until(lambda: text.getSelection(0) == (0, 9), "the dotted quad selected")
        self.assertEqual((text.getText(0, 9), text.getAttributeRun(4, False)[1:]), ("0.0.0.255", [0, 9]))
        # Each step of the shift count, by Up and by the spinner's arrow,
        # is a value change of the spin button that has the focus.
        self.assertEqual(p["Shift count"].getRole(), pyatspi.ROLE_SPIN_BUTTON)
        p.focus("Shift count")
        keys("Up")
        click(p["Shift count spinner"], y_fraction=0.2)
        wait_until(lambda: len([e for e in self.heard if e[0].endswith("accessible-value")
                                and e[1] == p["Shift count"]]) == 2, "two steps heard")
        self.assertEqual((p.text("Shift count"), p["Shift count"].queryValue().currentValue), ("3", 3))
        # The word length list tells its item, and the new one where the focus is.
        keys("Tab")
        wait_until(lambda: "focused" in states(p["32 Bit"]), "Tab to the word length list")
        qt_lists = qt_tells_list_values(p.app)
        self.assertEqual(list_value(p["32 Bit"], qt_lists), "32 Bit")
        keys("Up")
        told = "object:selection-changed" if qt_lists else "object:text-changed:insert"
        wait_until(lambda: any(e[0] == told and e[3] == "16 Bit" and e[2] == pyatspi.ROLE_COMBO_BOX
                               for e in self.heard), "the new item told")
        self.assertEqual(list_value(p["32 Bit"], qt_lists), "16 Bit")
        # Results are announced, and nothing before them.
        self.assertEqual(self.announced(), [])
        press(p["A1 + A2, add A1 and A2"])
        wait_until(lambda: self.announced() == ["Result: 255, hexadecimal FF"], "the result announced")
        press(p["A1 <> A2, swap A1 and A2"])
        swapped = "Accumulator 1: 0, hexadecimal 0; Accumulator 2: 255, hexadecimal FF"
        wait_until(lambda: self.announced()[1:] == [swapped], "the swap announced")


class ErrorReport(AtspiCase):
    def test_division_by_zero_is_an_alert_closed_by_its_ok_button(self):
        p = self.p
        shown = []
        listener = lambda event: shown.append(event.source) if event.detail1 else None  # noqa: E731
        pyatspi.Registry.registerEventListener(listener, "object:state-changed:showing")
        self.addCleanup(pyatspi.Registry.deregisterEventListener, listener, "object:state-changed:showing")
        p.type_over("Accumulator 1, decimal", "5")
        press(p["A1 / A2, divide A1 by A2"])

        def alert():  # a window going away reads as None for a moment
            return next((w for w in p.app if w is not None and w.getRole() == pyatspi.ROLE_ALERT), None)

        report = wait_until(alert, "the error report")
        wait_until(lambda: any(s.getRole() == pyatspi.ROLE_ALERT for s in shown), "the report announced")
        texts = [c.name for c in pyatspi.findAllDescendants(report, lambda c: c.getRole() == pyatspi.ROLE_LABEL)]
        self.assertIn("Division by zero.", texts)
        press(pyatspi.findDescendant(report, lambda c: c.getRole() == pyatspi.ROLE_PUSH_BUTTON and c.name == "OK"))
        wait_until(lambda: alert() is None, "the report closed")
        self.assertEqual(p.text("Result, decimal"), "0")


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
