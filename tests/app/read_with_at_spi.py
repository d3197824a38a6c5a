# The program as a screen reader reads it over AT-SPI: a box, the channel list and its headers, the
# status bar and a note announced there. Usage, on X and D-Bus: read_with_at_spi.py PWR455
# With a catalog, .../locale/LANG/LC_MESSAGES/pwr455.mo, as a second argument, the program runs in
# that language and the list must be read with the catalog's names.
import gettext, os, subprocess, sys, tempfile, time, pyatspi
from gi.repository import GLib

def wait_for(find):
    for _ in range(600):  # the bound only keeps a broken program from hanging the test
        if found := find():
            return found
        while GLib.MainContext.default().iteration(False): pass  # the events that came
        time.sleep(0.05)
    sys.exit("the program never showed it on AT-SPI")

heard = []  # what the program told a reader: (event, role, name, whether inside a box)
in_box = lambda o: pyatspi.findAncestor(o, lambda a: a and a.getRoleName() == "alert")
pyatspi.Registry.registerEventListener(lambda e: heard.append(
    (e.type, e.source.getRoleName(), e.source.name, bool(in_box(e.source)))),
    "object:children-changed", "object:state-changed:showing")
catalog = sys.argv[2] if len(sys.argv) > 2 else None
lang = catalog.split(os.sep)[-3] if catalog else ""
language = {"LANGUAGE": lang, "LC_MESSAGES": lang + ".UTF-8"} if catalog else {}
_ = gettext.GNUTranslations(open(catalog, "rb")).gettext if catalog else lambda text: text
seen = []
with tempfile.TemporaryDirectory() as home:
    open(home + "/bad.qrb", "w").write("no clone data\n")
    for args in [[home + "/bad.qrb"], []][1 if catalog else 0:]:
        program = subprocess.Popen([sys.argv[1]] + args, env=dict(
            os.environ, **language, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
            XDG_RUNTIME_DIR=home))  # its instance lock too: a copy running elsewhere stays apart
        try:
            app = wait_for(lambda: [a for a in pyatspi.Registry.getDesktop(0)
                                    if a and a.name == "pwr455"])[0]
            find = lambda role, root=app: pyatspi.findDescendant(  # by role: names differ by release
                root, lambda o: o and o.getRole() == getattr(pyatspi, "ROLE_" + role))
            if args:  # the box is whole when it shows: a reader reads it then, and no change
                box = wait_for(lambda: find("ALERT"))
                seen += [find("LABEL", box).name, bool(find("ICON", box))]
                wait_for(lambda: find("PUSH_BUTTON", box)).queryAction().doAction(0)
                seen.append([h for h in heard if h[3]])
                continue
            table = wait_for(lambda: find("TABLE")).queryTable()
            row = [table.getAccessibleAt(0, c).name for c in range(table.nColumns)]
            seen += [" ".join(filter(None, row)), find("TABLE").name,
                     [table.getColumnHeader(c).name for c in range(table.nColumns)],
                     list(table.getSelectedRows()), find("STATUS_BAR").name]
            if catalog:
                continue
            paste = pyatspi.findDescendant(app, lambda o: o and o.name == "Paste Rows")
            paste.queryAction().doAction(0)  # with nothing to paste: a note
            seen.append(wait_for(lambda: [h for h in heard if h[1] == "notification"])[-1][2])
        finally:
            program.terminate()
            program.wait()
list_read = ["01 118.000", _("Memory channels"),
             [_(h) for h in ["CH", "Prio", "Frequency", "Name", "Tx Inhibit", "Memory Lockout", "Spare"]],
             [0], _("Ready")]
if catalog and seen != list_read or not catalog and seen != [
        home + "/bad.qrb\nUnexpected file format: not a clone data file.", True, []] + list_read + [
        "The clipboard holds no channel rows to paste"]:
    sys.exit(f"a screen reader reads {seen}")
