# The program as a screen reader reads it over AT-SPI: the channel list's header, a row and the
# selection, the status bar. Usage, on an X display and a D-Bus session: read_with_at_spi.py PWR455
import os, subprocess, sys, tempfile, time, pyatspi

def wait_for(find):
    for _ in range(600):  # the bound only keeps a broken program from hanging the test
        if found := find():
            return found
        time.sleep(0.05)
    sys.exit("the program never showed it on AT-SPI")

with tempfile.TemporaryDirectory() as home:
    program = subprocess.Popen([sys.argv[1]], env=dict(os.environ, HOME=home,
                               XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data"))
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: [a for a in desktop if a and a.name == "pwr455"])[0]
        find = lambda role: pyatspi.findDescendant(app, lambda o: o and o.getRoleName() == role)
        table = wait_for(lambda: find("table")).queryTable()
        row = [table.getAccessibleAt(0, c).name for c in range(table.nColumns)]
        seen = [" ".join(filter(None, row)), table.getColumnHeader(2).name,
                list(table.getSelectedRows()), find("status bar").name]
        if seen != ["01 118.000", "Frequency", [0], "Ready"]:
            sys.exit(f"a screen reader reads {seen}")
    finally:
        program.terminate()
        program.wait()
