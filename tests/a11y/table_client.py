#!/usr/bin/python3
"""The game as a screen reader meets it: a client on the accessibility bus (AT-SPI)
that reads the table's objects, listens to their events and plays whole games.

    table_client.py dump <durak>                the tree after a deal, and the events of one move
    table_client.py atspi-only <durak>          a whole game through AT-SPI alone
    table_client.py keyboard <durak>            a whole game with keys alone; AT-SPI only watches
    table_client.py tree <durak_screen_probe>   after every move the objects name what the slots show
    table_client.py announcements <durak_screen_probe>
                                                each new status message is a name-change event,
                                                and a notification of it shown anew

Each game is dealt with "Новая" and played by the quickest rule there is: the first card
of the hand, and the action button when that card cannot be played. Exit code 0 when the
check holds, 1 when it does not."""

import json
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

RESULTS = ("Мы выиграли", "Комп выиграл", "Ничья")
BUTTON = "Беру / Бито"
RANKS = {6: "шестёрка", 7: "семёрка", 8: "восьмёрка", 9: "девятка", 10: "десятка",
         11: "валет", 12: "дама", 13: "король", 14: "туз"}
SUITS = ("пик", "треф", "бубен", "червей")
SUITS_PLURAL = ("пики", "трефы", "бубны", "черви")
CARD_NAMES = {f"{r} {s}" for r in RANKS.values() for s in SUITS}
FAN_BACKS = {52: 1, 51: 2, 50: 3, 49: 4, 48: 5, 47: 6, 54: 9, 55: 10, 71: 12}
HAND = [40 + s for s in range(1, 7)] + [71 + s for s in range(7, 13)]
PAIRS = [(56, 57, 72, 73), (58, 59, 74, 75), (60, 61, 76, 77),
         (62, 63, 84, 87), (64, 65, 85, 88), (66, 67, 86, 89)]
STATUS_LINE = (50, 6420)
MOVES = 400          # far more than any game takes
GAME_SECONDS = 150   # a game that takes longer has hung


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


# --- What the screen shows, from the slots' pictures -------------------------------

def card_of_picture(n):
    """The name of the card whose face is picture n (1..40); None for the blanks."""
    if not 1 <= n <= 40:
        return None
    suit = (n - 1) // 10
    k = n - 10 * suit
    if k == 5:
        return None
    return f"{RANKS[k + 10 if k <= 4 else k]} {SUITS[suit]}"


def expected_from_screen(screen):
    """What the objects must be called, worked out from the holders the slots show."""
    slots = {int(k): v for k, v in screen["slots"].items()}
    hand = [card_of_picture(slots[c]) for c in HAND if card_of_picture(slots[c])]
    table = []
    for places in PAIRS:
        for attack, defence in (places[0:2], places[2:4]):
            a, d = card_of_picture(slots[attack]), card_of_picture(slots[defence])
            parts = ([f"атака: {a}"] if a else []) + ([f"защита: {d}"] if d else [])
            if parts:
                table.append("; ".join(parts))
    trump = None
    if card_of_picture(slots[68]):
        trump = "Козырь: " + card_of_picture(slots[68])
    elif 90 <= slots[68] <= 93:
        trump = "Козырь: " + SUITS_PLURAL[slots[68] - 90]
    fan = f"Карты компа: {FAN_BACKS[slots[53]]}" if slots[53] in FAN_BACKS else None
    faceup = [card_of_picture(slots[c]) for c in range(94, 100) if card_of_picture(slots[c])]
    status = ""
    lines = []
    for x, y, text in screen["runs"]:
        if not text:
            continue
        if (x, y) == STATUS_LINE:
            status = text
        else:
            lines.append((y, x, text.strip()))
    lines = [text for _, _, text in sorted(lines, key=lambda line: (line[0], line[1]))]
    return {"hand": hand, "button": slots[70] != 0, "table": table, "trump": trump,
            "fan": fan, "faceup": faceup, "status": status, "notice": status or None, "lines": lines}


# --- The program on the bus ---------------------------------------------------------

class Session:
    def __init__(self, program, arguments=()):
        self.process = subprocess.Popen([program, *arguments])
        self.events = []
        self.listener = Atspi.EventListener.new(self._heard)
        for kind in ("object:property-change:accessible-name", "object:state-changed:focused",
                     "object:state-changed:showing", "object:children-changed"):
            self.listener.register(kind)
        self.app = self._wait_for(self._find_app, 20, "the program never came onto the bus")
        self.surface = self._wait_for(self._find_surface, 10, "no table among the window's objects")
        self.window_id = None

    def close(self):
        self.process.kill()
        self.process.wait()

    def _wait_for(self, find, seconds, what):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            found = find()
            if found is not None:
                return found
            self.pump(0.1)
        raise Failure(what)

    def _find_app(self):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid and app.get_child_count():
                    return app
            except GLib.Error:
                pass
        return None

    def _find_surface(self):
        for node in self.walk(self.app):
            if node.get_role() == Atspi.Role.LIST and node.get_name() == "Стол":
                return node.get_parent()
        return None

    def walk(self, node):
        yield node
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                yield from self.walk(child)

    def _heard(self, event):
        try:
            role = event.source.get_role_name()
            name = event.source.get_name()
        except GLib.Error:
            role, name = "?", "?"
        # A name change brings the new name along, and the source answers with it.
        self.events.append((event.type, role, name, event.detail1))

    def pump(self, seconds):
        """Lets the bus deliver events for a while."""
        context = GLib.MainContext.default()
        end = time.monotonic() + seconds
        while True:
            while context.iteration(False):
                pass
            if time.monotonic() >= end:
                return
            time.sleep(0.01)

    # What the objects say now, read afresh from the program. The table may change while
    # it is read (a move runs on between two questions); then it is read again.
    def read(self):
        for _ in range(20):
            try:
                return self._read_once()
            except (AttributeError, GLib.Error):
                self.pump(0.05)
        return self._read_once()

    def _read_once(self):
        Atspi.Accessible.clear_cache(self.surface)
        tree = {"hand": [], "button": False, "table": [], "trump": None, "fan": None,
                "faceup": [], "status": None, "notice": None, "lines": [], "focused": [], "cards": []}
        for i in range(self.surface.get_child_count()):
            node = self.surface.get_child_at_index(i)
            role, name = node.get_role(), node.get_name()
            if node.get_state_set().contains(Atspi.StateType.FOCUSED):
                tree["focused"].append(name)
            if role == Atspi.Role.PUSH_BUTTON:
                if name == BUTTON:
                    tree["button"] = True
                    tree["button_node"] = node
                else:
                    tree["hand"].append(name)
                    tree["cards"].append(node)
            elif role == Atspi.Role.LIST:
                tree["table"] = [node.get_child_at_index(k).get_name()
                                 for k in range(node.get_child_count())]
            elif role == Atspi.Role.STATUS_BAR:
                tree["status"] = name
            elif role == Atspi.Role.NOTIFICATION:
                tree["notice"] = name
            elif name.startswith("Козырь: "):
                tree["trump"] = name
            elif name.startswith("Карты компа: "):
                tree["fan"] = name
            elif name in CARD_NAMES:
                tree["faceup"].append(name)
            else:
                tree["lines"].append(name)
        return tree

    @staticmethod
    def shown(tree):
        return {k: v for k, v in tree.items() if k not in ("cards", "button_node", "focused")}

    def wait_left(self):
        """How long the wait the game sleeps in had still to run when it last went to
        sleep, in milliseconds; 0 when it is in no wait."""
        return self.poll_timeout() if self.in_wait() else 0

    def in_wait(self):
        """The game is inside one of its waits: its main thread sleeps in poll() until the
        wait's timer, less than two seconds away. An idle window has no deadline that near;
        the probe's record, every 5 ms, is too near to be a wait."""
        try:
            with open(f"/proc/{self.process.pid}/syscall") as f:
                fields = f.read().split()
        except OSError:
            return False
        if len(fields) < 4 or fields[0] != "7":  # poll on x86-64
            return False
        return 10 < self.poll_timeout(fields) <= 2000

    def poll_timeout(self, fields=None):
        if fields is None:
            try:
                with open(f"/proc/{self.process.pid}/syscall") as f:
                    fields = f.read().split()
            except OSError:
                return 0
        if len(fields) < 4 or fields[0] != "7":
            return 0
        return int(fields[3], 16) & 0xFFFFFFFF

    def settle(self, quiet=0.3):
        """Waits until the game is out of its waits and the objects have stood still for
        `quiet` seconds; at most 10 seconds."""
        last = self.shown(self.read())
        still_since = time.monotonic()
        end = still_since + 10
        while time.monotonic() < end:
            self.pump(0.05)
            now = self.shown(self.read())
            if now != last or self.in_wait():
                last, still_since = now, time.monotonic()
            elif time.monotonic() - still_since >= quiet:
                return now
        return last

    # Playing through AT-SPI: "Новая" by its menu item's action, cards and the button by theirs.
    def deal(self):
        for node in self.walk(self.app):
            if node.get_role() == Atspi.Role.MENU_ITEM and node.get_name() == "Новая":
                node.get_action_iface().do_action(0)
                break
        else:
            raise Failure("no menu item Новая")
        self._wait_for(lambda: True if self.read()["hand"] else None, 10, "no deal came")
        return self.settle()

    def press(self, node):
        action = node.get_action_iface()
        check(action is not None and action.get_n_actions() == 1 and action.get_action_name(0) == "Press",
              "a card or the button without its one action Press")
        action.do_action(0)

    # Playing with keys, as the user types them on the window.
    def keys(self, *keys):
        if self.window_id is None:
            found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Карты/Дурак"],
                                   capture_output=True, text=True, timeout=20)
            self.window_id = found.stdout.split()[0]
            subprocess.run(["xdotool", "windowfocus", "--sync", self.window_id], check=True, timeout=20)
            # The pointer out of the way: a keyboard player's mouse rests off the table.
            subprocess.run(["xdotool", "mousemove", "0", "0"], check=True, timeout=20)
        subprocess.run(["xdotool", "key", "--delay", "40", *keys], check=True, timeout=20)


def play(session, first_card, button, after_move=None, deal=True):
    """A whole game by the quickest rule; returns the result on the status line."""
    tree = session.deal() if deal else session.settle()
    if after_move:
        after_move(tree)
    end = time.monotonic() + GAME_SECONDS
    for _ in range(MOVES):
        check(time.monotonic() < end, "the game took too long")
        if tree["status"] in RESULTS:
            return tree["status"]
        before = tree
        if tree["hand"]:
            first_card(tree)
            tree = session.settle()
            if after_move:
                after_move(tree)
            if tree != before:
                continue
        button(tree)
        tree = session.settle()
        if after_move:
            after_move(tree)
    raise Failure("no result after %d moves" % MOVES)


# --- The checks ------------------------------------------------------------------

def atspi_only(program):
    session = Session(program)
    try:
        full = session.read
        result = play(session,
                      lambda tree: session.press(full()["cards"][0]),
                      lambda tree: session.press(full()["button_node"]))
        check(result in RESULTS, "no result")
        print("result:", result)
    finally:
        session.close()


def keyboard(program):
    session = Session(program)
    try:
        # F10 gives the menu bar the keyboard with "Новая" current; Return chooses it.
        session.keys("F10", "Return")
        session._wait_for(lambda: True if session.read()["hand"] else None, 10, "F10, Return dealt nothing")
        moves = {"n": 0}

        def first_card(tree):
            session.keys("Home")
            if moves["n"] < 3:  # the focus is on the first card, and only there
                session._wait_for(lambda: True if session.read()["focused"] == [tree["hand"][0]] else None,
                                  5, "Home did not focus the first card")
            moves["n"] += 1
            session.keys("Return")

        def button(tree):
            session.keys("Home", "Tab")
            session._wait_for(lambda: True if session.read()["focused"] == [BUTTON] else None,
                              5, "Tab did not focus the button")
            session.keys("Return")

        waits = {"n": 0}

        def typed_into_a_wait():
            # Just after a move: if the move holds the table for a second (the computer took,
            # or the round ends after the player's cover), End and Return are typed into
            # that wait. They are dropped as clicks are: End would move the focus to the
            # last card and Return play it. Keys are typed only early in a wait, and counted
            # only when the wait still ran after them.
            if waits["n"] >= 3:  # enough: the rest of the game goes at its own speed
                return
            end = time.monotonic() + 0.5
            while time.monotonic() < end and not session.in_wait():
                time.sleep(0.002)
            if not session.in_wait():
                return
            # Only a wait of the round's end (a second long) with most of it to run: a key
            # typed in its last moments could come after it, where it counts again.
            if session.wait_left() < 500:
                session.settle()
                return
            before = session.read()
            focused = before["focused"]
            session.keys("End", "Return")
            time.sleep(0.05)
            if session.wait_left() < 100:
                session.settle()
                return
            waits["n"] += 1
            # The focus stays where it was. Looked at while the hand is still the same: once
            # the wait is over the round's end may close the hand up or fill it, and another
            # card then stands where the focus is.
            during = session.read()
            if during["hand"] == before["hand"]:
                check(during["focused"] == focused,
                      "a key typed during a wait moved the focus: %s, then %s" % (focused, during["focused"]))
            after = session.settle()
            check(not any("защита" in pair for pair in after["table"]) and after["status"] != "Мы ходим",
                  "a key typed during a wait played a card: %s" % after)

        def first_card_then_wait(tree):
            first_card(tree)
            typed_into_a_wait()

        def button_then_wait(tree):
            button(tree)
            typed_into_a_wait()

        # A game may hold no wait early enough to type into; then another is dealt.
        for game in range(3):
            if game:
                session.keys("F10", "Return")
                session.settle()
            result = play(session, first_card_then_wait, button_then_wait, deal=False)
            check(result in RESULTS, "no result")
            if waits["n"]:
                break
        check(waits["n"] > 0, "three games came to no wait to type into")
        print("result:", result, "; keys typed into waits:", waits["n"])
    finally:
        session.close()


def screen_lines(path):
    with open(path, encoding="utf-8") as f:
        return [json.loads(line) for line in f if line.strip()]


def tree(probe):
    with tempfile.TemporaryDirectory() as folder:
        screen_file = os.path.join(folder, "screen")
        session = Session(probe, [screen_file])
        try:
            compared = {"n": 0}

            def compare(tree):
                screen = screen_lines(screen_file)[-1]
                want = expected_from_screen(screen)
                got = {k: tree[k] for k in want}
                check(got == want, "the objects do not name what the screen shows:\n  objects %s\n  screen  %s"
                      % (got, want))
                compared["n"] += 1

            result = play(session, lambda t: session.press(session.read()["cards"][0]),
                          lambda t: session.press(session.read()["button_node"]), compare)
            print("result:", result, "; screens compared:", compared["n"])
        finally:
            session.close()


def announcements(probe):
    with tempfile.TemporaryDirectory() as folder:
        screen_file = os.path.join(folder, "screen")
        session = Session(probe, [screen_file])
        try:
            result = play(session, lambda t: session.press(session.read()["cards"][0]),
                          lambda t: session.press(session.read()["button_node"]))
            session.pump(0.5)
            shown = []
            for screen in screen_lines(screen_file):
                status = expected_from_screen(screen)["status"]
                if status != (shown[-1] if shown else ""):
                    shown.append(status)
            heard = [name for kind, role, name, _ in session.events
                     if kind == "object:property-change:accessible-name" and role == "status bar"]
            check(heard == shown, "the status messages shown and the name changes heard differ:\n"
                  "  shown %s\n  heard %s" % (shown, heard))
            # A screen reader speaks a renamed status bar only where its focus is; what it
            # speaks anywhere is a notification being shown. Each new message is the status
            # bar renamed, then, before the next renaming, the notification shown with it.
            spoken = []
            for kind, role, name, detail1 in session.events:
                if kind == "object:property-change:accessible-name" and role == "status bar":
                    spoken.append(("status bar", name))
                elif kind.startswith("object:state-changed:showing") and role == "notification" and detail1:
                    spoken.append(("notification", name))
            want = [(role, message) for message in shown if message
                    for role in ("status bar", "notification")]
            check([e for e in spoken if e[1]] == want,
                  "each new message is not followed by its notification shown:\n"
                  "  want  %s\n  heard %s" % (want, spoken))
            print("result:", result, "; messages announced:", len(heard),
                  "; notifications shown:", sum(1 for role, _ in spoken if role == "notification"))
        finally:
            session.close()


def dump(program):
    session = Session(program)
    try:
        tree = session.deal()

        def show(node, depth):
            action = node.get_action_iface()
            actions = [action.get_action_name(i) for i in range(action.get_n_actions())] if action else []
            states = [s.value_nick for s in node.get_state_set().get_states()
                      if s in (Atspi.StateType.FOCUSED, Atspi.StateType.FOCUSABLE)]
            print("  " * depth + f"[{node.get_role_name()}] \"{node.get_name()}\""
                  + (f" actions={actions}" if actions else "") + (f" {states}" if states else ""))
            for i in range(node.get_child_count()):
                show(node.get_child_at_index(i), depth + 1)

        show(session.surface.get_parent(), 0)
        session.events.clear()
        print("\nevents of one move (the first card pressed):")
        session.press(session.read()["cards"][0])
        session.settle()
        for event in session.events:
            print("  ", event)
    finally:
        session.close()


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    group, program = sys.argv[1], sys.argv[2]
    checks = {"atspi-only": atspi_only, "keyboard": keyboard, "tree": tree,
              "announcements": announcements, "dump": dump}
    try:
        checks[group](program)
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
