"""Reads the settings window as a screen reader does, through AT-SPI, and
types keys into it as a keyboard user would. Started by run-window-check.sh
inside its own X server and session bus."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi

SKIP = 77
PROGRAM = sys.argv[1]
failures = []


def fail(text):
    failures.append(text)
    print("FOUT: " + text, flush=True)


def keys(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *names], check=True)
    time.sleep(0.4)


LIST_ROLES = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST}


def walk(node, found=None, into_lists=False):
    """The nodes under node; the entries of lists only when asked (a list of a
    thousand companies is read one call each)."""
    found = [] if found is None else found
    try:
        if not into_lists and node.getRole() in LIST_ROLES:
            return found
        count = node.childCount
    except Exception:
        return found
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is None:
            continue
        found.append(child)
        walk(child, found, into_lists)
    return found


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find_window(timeout=120):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None:
                continue
            for win in app:
                if win is not None and win.name == "Instellingen":
                    return app, win
        time.sleep(0.5)
    return None, None


def named(node, name):
    return [n for n in walk(node) if n.name == name]


ITEM_ROLES = {pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TREE_ITEM}


def focused(app):
    """The widget with the keyboard focus; a list's current entry is read
    through its list."""
    for n in walk(app):
        try:
            if n.getState().contains(pyatspi.STATE_FOCUSED) and n.getRole() not in ITEM_ROLES:
                return n
        except Exception:
            pass
    return None


def current_entry(app):
    lists = [n for n in walk(app) if n.name == "Pagina's" and n.getRole() not in ITEM_ROLES]
    for n in walk(lists[0], into_lists=True) if lists else []:
        try:
            if n.getState().contains(pyatspi.STATE_FOCUSED) and n.getRole() in ITEM_ROLES:
                return n
        except Exception:
            pass
    return None


def label_of(node):
    try:
        for r in node.getRelationSet():
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY and r.getNTargets():
                return r.getTarget(0).name
    except Exception:
        pass
    return ""


FIELD_ROLES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST,
               pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_CHECK_BOX,
               pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_SPIN_BUTTON}


def check_page(pane, title):
    """Every field of the shown page has a name (its own, its label's or its
    description), no button is read as a sign alone, option buttons are radio
    buttons."""
    for n in walk(pane):
        if not showing(n) or n.getRole() not in FIELD_ROLES:
            continue
        name = (n.name or "").strip() or label_of(n) or (n.description or "").strip()
        role = n.getRoleName()
        if not name:
            fail("%s: %s zonder naam" % (title, role))
        elif n.getRole() == pyatspi.ROLE_PUSH_BUTTON and (len(name) == 1 or not any(c.isalnum() for c in name)):
            fail("%s: knop heet alleen '%s'" % (title, name))
    return [n for n in walk(pane) if showing(n) and n.getRole() == pyatspi.ROLE_RADIO_BUTTON]


def stored_value(data, env, name):
    """A setting as the command line reads it."""
    done = subprocess.run([PROGRAM, "--data", data, "get", name], env=dict(env, QT_QPA_PLATFORM="offscreen"),
                          capture_output=True, text=True)
    return done.stdout.strip()


def focus_window():
    """No window manager: the window is given the keyboard directly."""
    subprocess.run(["xdotool", "search", "--sync", "--name", "^Instellingen$", "windowfocus", "--sync"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(0.5)


def main():
    data = tempfile.mkdtemp(prefix="tarvelo-atspi-")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1")
    # A setting the administrator locked, to be reached with Tab and told why.
    # A locked text box as well, to say read-only and not editable.
    for setting in ("UpdateTermijn", "ProxyAdres"):
        subprocess.run([PROGRAM, "--data", data, "lock", setting], env=dict(env, QT_QPA_PLATFORM="offscreen"),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    proc = subprocess.Popen([PROGRAM, "--data", data, "--page", os.environ.get("ATSPI_START_PAGE", "SetupProxy")],
                            env=env)
    try:
        app, win = find_window()
        if win is None:
            print("OVERGESLAGEN: het venster verschijnt niet op de toegankelijkheidsbus", flush=True)
            return SKIP
        print("venster gevonden", flush=True)
        time.sleep(1.5)
        focus_window()

        # The window's Tab order: search, list, ..., the page, then its buttons.
        keys("ctrl+f")
        start = focused(app)
        if start is None or start.name != "Zoeken in de instellingen":
            fail("Ctrl+F gaat niet naar het zoekvak (%s)" % (start.name if start else "niets"))
        order = []
        locked = []
        for _ in range(40):
            keys("Tab")
            f = focused(app)
            order.append(f.name if f else "")
            if f is not None and "door de beheerder vastgezet" in (f.description or ""):
                locked.append(f.name or label_of(f))
            if f is not None and f.name == "Zoeken in de instellingen":
                break
        if not locked:
            fail("Tab bereikt geen vastgezette instelling die zegt waarom: %s" % order)
        # A locked text box is read-only and says nothing else; the others may be typed in.
        boxes = [n for n in walk(app) if n is not None and n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_PASSWORD_TEXT)]
        locked_boxes = [n for n in boxes if "door de beheerder vastgezet" in (n.description or "")]
        if not locked_boxes:
            fail("geen vastgezet tekstvak gevonden")
        for box in locked_boxes:
            state = box.getState()
            if state.contains(pyatspi.STATE_EDITABLE) or not state.contains(pyatspi.STATE_READ_ONLY):
                fail("het vastgezette tekstvak '%s' zegt niet alleen dat het alleen-lezen is" % (box.name or label_of(box)))
        if not any(n.getState().contains(pyatspi.STATE_EDITABLE) for n in boxes if n not in locked_boxes):
            fail("geen enkel tekstvak zegt dat er in getypt kan worden")
        if "Pagina's" not in order:
            fail("de paginalijst heeft geen naam of is geen stop: %s" % order)
        if "Opslaan" in order and "Proxy-instellingen gebruiken" in order:
            if order.index("Proxy-instellingen gebruiken") > order.index("Opslaan"):
                fail("de velden van de pagina komen na Opslaan: %s" % order)
        else:
            fail("Tab bereikt de pagina of Opslaan niet: %s" % order)
        if "" in order:
            fail("een stop zonder naam in de Tab-volgorde: %s" % order)

        print("Tab-volgorde: %s" % " | ".join(order), flush=True)
        # The window's access key opens the history; Escape closes it again.
        keys("ctrl+f")
        keys("alt+w")
        time.sleep(1)
        dialogs = [w for w in app if w is not None and w.name != "Instellingen" and showing(w)]
        if not dialogs:
            fail("Alt+W opent de wijzigingsgeschiedenis niet")
        else:
            keys("Escape")
            time.sleep(0.5)
            if any(w is not None and w.name == dialogs[0].name and showing(w) for w in app):
                fail("Escape sluit '%s' niet" % dialogs[0].name)
            if proc.poll() is not None:
                fail("Escape in de geschiedenis sloot ook het venster")
            # No window manager gives the window the keyboard back.
            focus_window()

        # Every page, by walking the page list with the arrow keys.
        keys("ctrl+f", "Down")
        seen = set()
        radios = 0
        pane = named(win, "Pagina")
        for _ in range(80):
            lists = [n for n in walk(win) if n.name == "Pagina's"]
            title = [n for n in walk(win) if n.getRole() == pyatspi.ROLE_LABEL and showing(n)]
            current = current_entry(app)
            key = current.name if current else ""
            if key in seen:
                print("terug bij %s na %s" % (key, sorted(seen)), flush=True)
                break
            seen.add(key)
            print("pagina %s" % key, flush=True)
            radios += len(check_page(win, key))
            # From the search box Down goes back into the list at its entry,
            # wherever a page put the focus when it was shown.
            keys("ctrl+f", "Down", "Down")
        if len(seen) < 30:
            fail("de pijltjes gingen maar door %d pagina's" % len(seen))
        check_boxes_as_options = [n for n in walk(win) if n.getRole() == pyatspi.ROLE_CHECK_BOX
                                  and n.name in ("Nooit", "6 maanden", "12 maanden")]
        if check_boxes_as_options:
            fail("keuzerondjes als selectievakjes: %s" % [n.name for n in check_boxes_as_options])
        if radios == 0:
            fail("geen enkel keuzerondje als keuzerondje")

        # A change by keyboard, then Escape: the window asks before it drops
        # the change, and Escape on that question keeps window and change.
        before = stored_value(data, env, "AutomatischOpslaan")
        keys("ctrl+f", "ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "30", "Automatisch opslaan"], check=True)
        time.sleep(0.8)
        keys("Down", "Return")
        f = focused(app)
        if f is None or f.getRole() != pyatspi.ROLE_CHECK_BOX:
            fail("zoeken en Enter brengen niet naar 'Automatisch opslaan' (%s)" % (f.name if f else "niets"))
        keys("space")
        keys("Escape")
        time.sleep(1)
        asked = [w for w in app if w is not None and showing(w) and
                 any("Wilt u de gewijzigde instellingen opslaan?" in (n.name or "") for n in walk(w))]
        if not asked:
            fail("Escape met een wijziging vraagt niets")
        else:
            keys("Escape")
            time.sleep(0.5)
            if proc.poll() is not None:
                fail("Escape op de vraag sloot het venster toch")
            focus_window()

        # Ctrl+S saves and closes.
        keys("ctrl+f")
        keys("ctrl+s")
        for _ in range(20):
            if proc.poll() is not None:
                break
            time.sleep(0.3)
        if proc.poll() is None:
            fail("Ctrl+S sloot het venster niet")
        elif stored_value(data, env, "AutomatischOpslaan") == before:
            fail("Ctrl+S bewaarde de wijziging van 'Automatisch opslaan' niet (%s)" % before)
    finally:
        if proc.poll() is None:
            proc.terminate()
            proc.wait(10)
    print("%d pagina's gelezen" % len(seen), flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
