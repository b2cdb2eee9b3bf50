#!/usr/bin/python3
"""The game as a screen reader meets it: a client on the accessibility bus (AT-SPI)
that reads the table's objects, hears what the game tells it and plays whole games.

    table_client.py dump <durak>                the tree after a deal, and what one move says
    table_client.py atspi-only <durak>          a whole game through AT-SPI alone
    table_client.py keyboard <durak>            a whole game with keys alone; keys typed into a
                                                wait are dropped, and "Подождите" is said once
    table_client.py tree <durak_screen_probe>   after every move the objects name what the slots show
    table_client.py spoken <durak_screen_probe> a game decided only from what was spoken, whose
                                                picture of the hand and the table matches the
                                                tree after every move; a refused card; the
                                                status line's messages as name changes
    table_client.py keys <durak>                the six question keys in the Latin and the
                                                Russian layout, the focus after a deal, the
                                                cards' places, Home on the focused card
    table_client.py mode <durak>                a change of mode or pace is heard, the opening
                                                of "Два компа" included
    table_client.py watch <durak_screen_probe> fast|medium|slow
                                                two computers watched: never more than 3 s
                                                behind, no text twice in a row, the result and
                                                the statistics heard
    table_client.py listen <file>               registers as a screen reader does and writes
                                                each notification heard into the file

Exit code 0 when the check holds, 1 when it does not."""

import collections
import json
import os
import re
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

RESULTS = ("Мы выиграли", "Комп выиграл", "Ничья")
BUTTON = "Беру / Бито"
STATUS_LINE = (50, 6420)
MOVES = 400          # far more than any game takes
GAME_SECONDS = 150   # a game that takes longer has hung
# The ranks in their order, to judge a card by its name (the names themselves come from
# the game's objects), and the reader the pace of the speech is set for.
RANKS = ("шестёрка", "семёрка", "восьмёрка", "девятка", "десятка", "валет", "дама", "король", "туз")
WORDS_PER_SECOND, ROLE_WORDS, MAX_BEHIND = 2.5, 1, 3.0


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def words(text):
    """Words as a reader counts them: pieces with a letter or a digit."""
    return sum(1 for w in text.split() if any(c.isalnum() for c in w))


def speaking(text):
    """Seconds the reader takes to say a notification with this text, its role word first."""
    return (words(text) + ROLE_WORDS) / WORDS_PER_SECOND


def sentences(text):
    """A spoken text in its sentences, without their closing stops."""
    return [s.rstrip(".") for s in re.split(r"(?<=\.)\s+", text.strip()) if s.rstrip(".")]


def cards_in(listed):
    """The card names of "дама пик, король пик" (up to a ';')."""
    return [c.strip() for c in listed.split(";")[0].split(",") if c.strip()]


# --- What the screen shows, from the probe's record -----------------------------------

def expected_from_screen(screen):
    """What the objects must be called, worked out from what the slots show."""
    table = []
    for attack, defence in screen["pairs"]:
        parts = ([f"атака: {attack}"] if attack else []) + ([f"защита: {defence}"] if defence else [])
        if parts:
            table.append("; ".join(parts))
    status, lines = "", []
    for x, y, text in screen["runs"]:
        if not text:
            continue
        if (x, y) == STATUS_LINE:
            status = text
        else:
            lines.append((y, x, text.strip()))
    return {"hand": [c for c in screen["hand"] if c], "button": screen["button"], "table": table,
            "trump": "Козырь: " + screen["trump"] if screen["trump"] else None,
            "fan": f"Карты компа: {screen['fan']}" if screen["fan"] else None,
            "faceup": [c for c in screen["faceup"] if c], "status": status,
            "lines": [text for _, _, text in sorted(lines)]}


def screen_lines(path):
    with open(path, encoding="utf-8") as f:
        return [json.loads(line) for line in f if line.strip()]


def last_screen(path):
    """The probe's newest record, read from the end of its file: a test that asks every
    few milliseconds would spend seconds of CPU reading the whole file each time."""
    with open(path, "rb") as f:
        f.seek(0, os.SEEK_END)
        f.seek(max(0, f.tell() - 65536))
        lines = [line for line in f.read().split(b"\n") if line.strip()]
    return json.loads(lines[-1]) if lines else None


def on_table(screen):
    return {c for pair in screen["pairs"] for c in pair if c}


def status_of(screen):
    return next((t for x, y, t in screen["runs"] if (x, y) == STATUS_LINE), "")


# --- The program on the bus ---------------------------------------------------------

class Session:
    def __init__(self, program, arguments=(), screen=None):
        self.process = subprocess.Popen([program, *arguments])
        self.screen = screen     # the probe's record, where the program is the probe
        self.events = []
        self.notices = []        # (time, text) of each notification shown
        self.listener = Atspi.EventListener.new(self._heard)
        for kind in ("object:property-change:accessible-name", "object:state-changed:focused",
                     "object:state-changed:showing", "object:children-changed"):
            self.listener.register(kind)
        self.app = self._wait_for(self._find_app, 20, "the program never came onto the bus")
        self.surface = self._wait_for(self._find_surface, 10, "no table among the window's objects")
        self.window_id = None
        self.typed_at = 0.0      # when keys() last finished typing

    def close(self):
        self.process.kill()
        self.process.wait()

    def _wait_for(self, find, seconds, what):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            found = find()
            if found is not None:
                return found
            self.pump(0.05)
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
        except GLib.Error:
            role = "?"
        try:
            name = event.source.get_name()
        except GLib.Error:
            name = "?"
        now = time.monotonic()
        self.events.append((event.type, role, name, event.detail1, now))
        # What the game says: a notification shown, with its text.
        if role == "notification" and event.type.startswith("object:state-changed:showing") and event.detail1:
            self.notices.append((now, name))

    def pump(self, seconds):
        """Lets the bus deliver events for a while."""
        context = GLib.MainContext.default()
        end = time.monotonic() + seconds
        while True:
            while context.iteration(False):
                pass
            if time.monotonic() >= end:
                return
            time.sleep(0.005)

    def next_notice(self, after, seconds=10, what="nothing was said"):
        """The first text said after `after` notices had been heard."""
        self._wait_for(lambda: True if len(self.notices) > after else None, seconds, what)
        return self.notices[after][1]

    def hush(self, most=15):
        """Waits until the game has said all it holds back: the game passes a text on only
        once the reader has had time to say the one before, so nothing more comes once that
        time has passed in silence."""
        end = time.monotonic() + most
        while time.monotonic() < end:
            self.pump(0.05)
            if not self.notices:
                continue
            at, text = self.notices[-1]
            if time.monotonic() - at > speaking(text) + 0.5:
                return
        raise Failure("the game kept on speaking for %d s" % most)

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
                "faceup": [], "status": None, "lines": [], "focused": [], "cards": [],
                "places": []}
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
                    tree["places"].append(node.get_description())
            elif role == Atspi.Role.LIST:
                tree["table"] = [node.get_child_at_index(k).get_name() for k in range(node.get_child_count())]
            elif role == Atspi.Role.STATUS_BAR:
                tree["status"] = name
            elif name.startswith("Козырь: "):
                tree["trump"] = name
            elif name.startswith("Карты компа: "):
                tree["fan"] = name
            elif role == Atspi.Role.LABEL and len(name.split()) == 2 and name.split()[0] in RANKS:
                tree["faceup"].append(name)
            else:
                tree["lines"].append(name)
        return tree

    @staticmethod
    def shown(tree):
        return {k: v for k, v in tree.items() if k not in ("cards", "button_node", "focused")}

    def waiting(self):
        """The number of the game's wait that runs, as the probe last recorded it (0 between
        waits); without a probe, whether the game sleeps as in a wait."""
        if self.screen is None:
            return self.in_wait()
        screen = last_screen(self.screen)
        return screen["wait"] if screen else 0

    def in_wait(self):
        """The game is inside one of its waits, or holds a text back for the reader: either
        way not yet at rest. Its main thread then sleeps in poll() until a timer less than
        two seconds away; an idle, quiet window has no deadline that near, and the probe's
        record, every 5 ms, is too near to be a wait."""
        try:
            with open(f"/proc/{self.process.pid}/syscall") as f:
                fields = f.read().split()
        except OSError:
            return False
        if len(fields) < 4 or fields[0] != "7":  # poll on x86-64
            return False
        return 10 < (int(fields[3], 16) & 0xFFFFFFFF) <= 2000

    def settle(self, quiet=0.3):
        """Waits until the game is out of its waits and the objects have stood still for
        `quiet` seconds; at most 10 seconds."""
        last = self.shown(self.read())
        still_since = time.monotonic()
        end = still_since + 10
        while time.monotonic() < end:
            self.pump(0.05)
            now = self.shown(self.read())
            if now != last or self.waiting():
                last, still_since = now, time.monotonic()
            elif time.monotonic() - still_since >= quiet:
                self.settled_at = time.monotonic()
                return now
        self.settled_at = time.monotonic()
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
        self.typed_at = time.monotonic()


def play(session, first_card, button, after_move=None, deal=True):
    """A whole game by the quickest rule (the first card, else the button); returns the
    result on the status line."""
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


# --- A player who knows only what was said ---------------------------------------------

class Heard:
    """The hand, the table and the trump, kept from the spoken texts alone."""

    def __init__(self):
        self.hand, self.table = collections.Counter(), collections.Counter()
        self.trump, self.prompt, self.refused = None, None, None

    def hear(self, text):
        for s in sentences(text):
            head, _, rest = s.partition(": ")
            named = cards_in(rest)
            if head == "Козырь" or head.endswith("Козырь"):
                self.trump = rest
            elif head == "Наши карты":
                self.hand, self.table = collections.Counter(named), collections.Counter()
            elif head in ("Мы ходим", "Мы подкидываем", "Мы кроем"):
                for c in named:
                    check(self.hand[c] > 0, f"«{s}»: {c} is not in the hand the texts told")
                    self.hand[c] -= 1
                    self.table[c] += 1
            elif head in ("Комп ходит", "Комп подкидывает", "Комп кроет"):
                self.table.update(named)
            elif head == "Мы взяли":
                for c in named:
                    check(self.table[c] > 0, f"«{s}»: {c} is not on the table the texts told")
                    self.table[c] -= 1
                    self.hand[c] += 1
            elif head in ("Комп взял", "Бито", "Ушли из игры"):
                for c in named:
                    check(self.table[c] > 0, f"«{s}»: {c} is not on the table the texts told")
                    self.table[c] -= 1
            elif head == "Из колоды":
                self.hand.update(named)
            elif head == "Наш ход":
                self.prompt = rest
            elif head == "Так нельзя":
                self.refused = rest
        self.hand, self.table = +self.hand, +self.table  # no zero counts

    @staticmethod
    def rank(card):
        return RANKS.index(card.split()[0])

    @staticmethod
    def suit(card):
        return card.split()[1]

    def trump_suit(self):
        return self.suit(self.trump) if self.trump and " " in self.trump else None

    def covers(self, card, attack):
        if self.suit(card) == self.suit(attack):
            return self.rank(card) > self.rank(attack)
        return self.suit(card) == self.trump_suit()

    def ranks_on_table(self):
        return {self.rank(c) for c in self.table}


def spoken(probe):
    """A game played from what was spoken: each move is chosen from the hand and the table
    the texts told, and after each the told picture must be what the tree shows."""
    with tempfile.TemporaryDirectory() as folder:
        screen_file = os.path.join(folder, "screen")
        session = Session(probe, [screen_file])
        try:
            heard = Heard()
            said = 0

            def listen():
                """Hears texts until the game waits for the player or has its result."""
                nonlocal said
                while True:
                    text = session.next_notice(said, what="the game came to rest without a word")
                    said += 1
                    heard.prompt, heard.refused = None, None
                    heard.hear(text)
                    if heard.prompt or heard.refused or any(r in text for r in RESULTS):
                        return text

            def compare():
                tree = session.settle()
                table = collections.Counter(c for pair in tree["table"] for part in pair.split("; ")
                                            for c in [part.partition(": ")[2]])
                check(collections.Counter(tree["hand"]) == heard.hand and table == heard.table,
                      "what was said is not what the tree shows:\n  said hand %s table %s\n  tree hand %s table %s"
                      % (sorted(heard.hand.elements()), sorted(heard.table.elements()), tree["hand"],
                         sorted(table.elements())))
                return tree

            def node_of(card):
                tree = session.read()
                return tree["cards"][tree["hand"].index(card)]

            session.deal()
            text = listen()
            check(text.startswith("Новая игра. Козырь: ") and heard.prompt == "ходим",
                  "the deal was not told with the trump, the hand and the prompt: " + text)
            moves = refusals = 0
            while not any(r in text for r in RESULTS):
                check(moves < MOVES, "no result after %d moves" % MOVES)
                tree = compare()
                moves += 1
                hand = sorted(heard.hand.elements(), key=lambda c: (heard.suit(c) == heard.trump_suit(), heard.rank(c)))
                if heard.prompt == "ходим":
                    choice = hand[0]
                elif heard.prompt.startswith("подкидываем"):
                    fitting = [c for c in hand if heard.rank(c) in heard.ranks_on_table()]
                    # Once, a card of no rank on the table: the rules refuse it, and say why.
                    wrong = [c for c in hand if heard.rank(c) not in heard.ranks_on_table()]
                    if not refusals and wrong:
                        prompt = heard.prompt
                        session.press(node_of(wrong[0]))
                        text = listen()
                        check(heard.refused == "такой карты на столе нет" and wrong[0] in session.read()["hand"],
                              "a card of no rank on the table was not refused with its reason: " + text)
                        heard.prompt = prompt
                        refusals += 1
                        continue
                    choice = fitting[0] if fitting else None
                elif heard.prompt.startswith("кроем или берём, на столе "):
                    attack = cards_in(heard.prompt.partition("на столе ")[2])[-1]
                    fitting = [c for c in hand if heard.covers(c, attack)]
                    choice = fitting[0] if fitting else None
                else:
                    choice = None
                if choice:
                    session.press(node_of(choice))
                else:
                    session.press(session.read()["button_node"])
                text = listen()
                if heard.refused:  # the rules know better than the client: take instead
                    session.press(session.read()["button_node"])
                    text = listen()
            check(refusals == 1, "the game gave no chance to try a refused card")
            compare()
            check(re.search(r"(Мы выиграли|Комп выиграл|Ничья)\..*Мы отбились \d+ раз", text),
                  "the result came without the statistics: " + text)

            # The status line: each new message is its object renamed.
            session.pump(0.5)
            shown = []
            for screen in screen_lines(screen_file):
                status = expected_from_screen(screen)["status"]
                if status != (shown[-1] if shown else ""):
                    shown.append(status)
            renamed = [name for kind, role, name, _, _ in session.events
                       if kind == "object:property-change:accessible-name" and role == "status bar"]
            check(renamed == shown, "the status messages shown and the name changes heard differ:\n"
                  "  shown %s\n  heard %s" % (shown, renamed))
            print("result:", re.search(r"Мы выиграли|Комп выиграл|Ничья", text).group(0), "; moves:", moves, "; texts heard:", said)
        finally:
            session.close()


# --- The other checks ---------------------------------------------------------------

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


def keyboard(probe):
    with tempfile.TemporaryDirectory() as folder:
        screen_file = os.path.join(folder, "screen")
        session = Session(probe, [screen_file], screen=screen_file)
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
                # last card and Return play it; and "Подождите" is said, once for the two keys.
                # Keys are typed only early in a wait, and counted only when the same wait still
                # ran after them, as the probe recorded it.
                if waits["n"] >= 3:  # enough: the rest of the game goes at its own speed
                    return
                # The probe records the table only in a wait or at rest: the first record after
                # the move tells which the move came to. A refused card changes nothing.
                end = time.monotonic() + 0.5
                wait = last_screen(screen_file)
                while time.monotonic() < end and not wait["wait"] and wait["t"] < session.typed_at:
                    time.sleep(0.002)
                    wait = last_screen(screen_file)
                # Only early in a wait (a round's end is a second long): a key typed in a wait's
                # last moments could come after it, where it counts again.
                if not wait["wait"] or time.monotonic() - wait["t"] > 0.2:
                    return
                before = session.read()
                focused = before["focused"]
                said = len(session.notices)
                session.keys("End", "Return")
                time.sleep(0.05)
                # The objects read while the wait still runs: the game answered the reading all
                # along and saw the keys first.
                during = session.read()
                in_the_wait = session.waiting() == wait["wait"]
                after = session.settle()
                if not in_the_wait:
                    return  # a short wait, over before the keys were surely seen
                waits["n"] += 1
                check(during["focused"] == focused,
                      "a key typed during a wait moved the focus: %s, then %s" % (focused, during["focused"]))
                check(not any("защита" in pair for pair in after["table"]) and after["status"] != "Мы ходим",
                      "a key typed during a wait played a card: %s" % after)
                waited = [text for _, text in session.notices[said:] if text == "Подождите"]
                check(len(waited) == 1, "keys typed into a wait were answered %d times with «Подождите»" % len(waited))

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


def tree(probe):
    with tempfile.TemporaryDirectory() as folder:
        screen_file = os.path.join(folder, "screen")
        session = Session(probe, [screen_file])
        try:
            compared = {"n": 0}

            def compare(tree):
                # The screen as it stood when the objects were read: a wait may end, and the
                # screen change, right after.
                want = expected_from_screen([s for s in screen_lines(screen_file) if s["t"] <= session.settled_at][-1])
                got = {k: tree[k] for k in want}
                check(got == want, "the objects do not name what the screen shows:\n  objects %s\n  screen  %s"
                      % (got, want))
                n = len(tree["hand"])
                check(tree["places"] == [f"{k} из {n}" for k in range(1, n + 1)],
                      "the cards do not tell their places in the hand: %s" % tree["places"])
                compared["n"] += 1

            result = play(session, lambda t: session.press(session.read()["cards"][0]),
                          lambda t: session.press(session.read()["button_node"]), compare)
            print("result:", result, "; screens compared:", compared["n"])
        finally:
            session.close()


def keys(program):
    """The six questions in either layout, each answer against the tree; the focus on the
    first card after a deal; Home on the card that has the focus says it again."""
    session = Session(program)
    try:
        session.keys("F10", "Return")
        session._wait_for(lambda: True if session.read()["hand"] else None, 10, "F10, Return dealt nothing")
        session.settle()
        session.hush()
        tree = session.read()
        check(tree["focused"] == [tree["hand"][0]], "after a deal the focus is not on the first card: %s" % tree["focused"])
        told = session.notices[-1][1]

        def ask(key):
            said = len(session.notices)
            session.keys(key)
            return session.next_notice(said, 5, f"key {key} asked and nothing was said")

        tree = session.read()
        want = {
            "1": "Стол пуст",
            "2": "Наши карты, 6 карт: " + ", ".join(tree["hand"]),
            "3": tree["trump"] + ", в колоде ещё есть карты",
            "4": "У компа 6 карт",
            "5": told,
            "6": "Режим: комп и ты",
        }
        for layout in ("us", "ru"):
            subprocess.run(["setxkbmap", layout], check=True, timeout=20)
            for key, answer in want.items():
                got = ask(key)
                check(got == answer, f"key {key} in the {layout} layout: «{got}», not «{answer}»")
        subprocess.run(["setxkbmap", "us"], check=True, timeout=20)

        # A card on the table: key 1 names its pair as the list does. The computer may take
        # the card led instead of covering it; then the next one is led.
        for _ in range(5):
            session.keys("Home", "Return")
            tree = session.settle()
            if tree["table"]:
                break
        check(tree["table"], "five cards led and none stayed on the table")
        session.hush()
        got = ask("1")
        check(got == "Стол: " + ". ".join(tree["table"]), f"key 1 does not name the pairs of the list: «{got}»")
        # Home again on the card that already has the focus: it is said again.
        session.keys("Home")
        session.settle()
        check(ask("Home") == tree["hand"][0] + ", 1 из %d" % len(tree["hand"]),
              "Home on the focused card said nothing of it")
        print("answers heard in both layouts:", len(want) * 2)
    finally:
        session.close()


def mode(program):
    """Opening "Два компа" switches the mode and is heard; so are a pace and "Комп и ты"."""
    session = Session(program)
    try:
        def after(keys, what):
            said = len(session.notices)
            session.keys(*keys)
            return session.next_notice(said, 5, what)

        got = after(["F10", "Right", "Down", "Down", "Right"], "opening «Два компа» was not heard")
        check(got == "Режим: два компа, темп не выбран", "opening «Два компа»: " + got)
        got = after(["Down", "Return"], "choosing «Средняя» was not heard")
        check(got == "Режим: два компа, средняя", "choosing «Средняя»: " + got)
        got = after(["F10", "Right", "Down", "Return"], "choosing «Комп и ты» was not heard")
        check(got == "Режим: комп и ты", "choosing «Комп и ты»: " + got)
        said = len(session.notices)
        session.keys("6")
        check(session.next_notice(said, 5) == "Режим: комп и ты", "key 6 does not tell the mode")
        print("mode changes heard: 3")
    finally:
        session.close()


def watch(probe, pace):
    """Two computers play a whole game; a reader speaking 2.5 words a second, saying
    «уведомление» before each text and queueing what comes while it speaks, must never
    start a text more than 3 s after the game showed what it tells."""
    with tempfile.TemporaryDirectory() as folder:
        screen_file = os.path.join(folder, "screen")
        session = Session(probe, [screen_file])
        try:
            item = {"fast": "Down", "medium": "Down Down", "slow": "Down Down Down"}[pace].split()
            session.keys("F10", "Right", "Down", "Down", "Right", *item[1:], "Return")
            # The deal once the reader has said the change of mode and pace, as a listener
            # would wait to hear it.
            session.pump(0.5)
            free = 0.0
            for arrived, text in session.notices:
                free = max(arrived, free) + speaking(text)
            session.pump(max(0.0, free - time.monotonic()) + 0.2)
            session.keys("F10", "Return")
            end = time.monotonic() + GAME_SECONDS
            while not any(r in text for _, text in session.notices for r in RESULTS):
                check(time.monotonic() < end, "the game took too long")
                session.pump(0.2)
            session.pump(0.5)
            screens = screen_lines(screen_file)
            told = session.notices  # the change of mode and pace, then the game
            texts = [(t, text) for t, text in told if not text.startswith("Режим")]

            def shown_at(sentence, before):
                """When the screen last showed something new of what the sentence tells."""
                head, _, rest = sentence.partition(": ")
                past = [s for s in screens if s["t"] <= before]
                check(past, "a text came before anything was shown: " + sentence)
                named = set(cards_in(rest))
                # A move names its cards or counts them («Комп подкидывает 3 карты»); the
                # same words alone («Мы ходим») are the status line's message, shown when
                # it was printed, often over an empty table.
                move = head.split()[1:2] in (["ходим"], ["ходит"], ["подкидываем"], ["подкидывает"],
                                              ["кроем"], ["кроет"]) and (named or re.search(r"\d", head))
                changes = []
                for earlier, later in zip(past, past[1:]):
                    came, went = on_table(later) - on_table(earlier), on_table(earlier) - on_table(later)
                    if sentence.startswith(("Новая игра", "Козырь")):
                        news = earlier["trump"] != later["trump"]
                    elif move:  # a card put down, by name or by count
                        news = named & came if named else came
                    else:       # a round's end or a message: the status line, the cards gone
                        news = status_of(earlier) != status_of(later) or (named & went if named else went)
                    if news:
                        changes.append(later["t"])
                check(changes, f"«{sentence}» tells nothing the screen showed")
                return changes[-1]

            free, worst, previous = 0.0, 0.0, None
            for arrived, text in told:
                start = max(arrived, free)
                free = start + speaking(text)
                if text.startswith("Режим"):
                    continue
                shown = min(shown_at(s, arrived) for s in sentences(text) if not s.startswith("Карты компа")
                            and not re.match(r"(Мы|Комп) (отбились|отбился|взяли|взял) \d+ раз", s))
                worst = max(worst, start - shown)
                check(start - shown <= MAX_BEHIND, f"«{text}» heard {start - shown:.2f} s after the game showed it")
                check(text != previous, f"«{text}» said twice in a row")
                previous = text
            last = texts[-1][1]
            check(re.match(r"(Мы выиграли|Комп выиграл|Ничья)\. .*Мы отбились \d+ раз\. Комп отбился \d+ раз\. "
                           r"Мы взяли \d+ раз\. Комп взял \d+ раз", last),
                  "the last text is not the result with the statistics: " + last)
            game = screens[-1]["t"] - screens[0]["t"]
            for t, text in told: print(f"  {t - told[0][0]:6.2f}  {text}")
            print(f"{pace}: {len(texts)} texts in a game of {game:.1f} s, at worst {worst:.2f} s behind")
        finally:
            session.close()


def listen(path):
    """A screen reader's registration, and each notification it hears, into `path`."""
    def heard(event):
        try:
            if event.source.get_role() == Atspi.Role.NOTIFICATION and event.detail1:
                with open(path, "a", encoding="utf-8") as f:
                    f.write(event.source.get_name() + "\n")
        except GLib.Error:
            pass
    listener = Atspi.EventListener.new(heard)
    for kind in ("object:state-changed:showing", "object:property-change:accessible-name"):
        listener.register(kind)
    open(path + ".ready", "w").close()
    context = GLib.MainContext.default()
    end = time.monotonic() + 60
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.01)


def dump(program):
    session = Session(program)
    try:
        session.deal()

        def show(node, depth):
            action = node.get_action_iface()
            actions = [action.get_action_name(i) for i in range(action.get_n_actions())] if action else []
            states = [s.value_nick for s in node.get_state_set().get_states()
                      if s in (Atspi.StateType.FOCUSED, Atspi.StateType.FOCUSABLE)]
            print("  " * depth + f"[{node.get_role_name()}] \"{node.get_name()}\""
                  + (f" ({node.get_description()})" if node.get_description() else "")
                  + (f" actions={actions}" if actions else "") + (f" {states}" if states else ""))
            for i in range(node.get_child_count()):
                show(node.get_child_at_index(i), depth + 1)

        show(session.surface.get_parent(), 0)
        print("\nsaid:", [text for _, text in session.notices])
        session.events.clear()
        said = len(session.notices)
        print("\nevents of one move (the first card pressed):")
        session.press(session.read()["cards"][0])
        session.settle()
        for event in session.events:
            print("  ", event[:4])
        print("\nsaid:", [text for _, text in session.notices[said:]])
    finally:
        session.close()


def main():
    checks = {"atspi-only": atspi_only, "keyboard": keyboard, "tree": tree, "spoken": spoken,
              "keys": keys, "mode": mode, "watch": watch, "listen": listen, "dump": dump}
    if len(sys.argv) < 3 or sys.argv[1] not in checks:
        print(__doc__)
        return 2
    try:
        checks[sys.argv[1]](*sys.argv[2:])
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
