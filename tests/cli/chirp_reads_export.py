#!/usr/bin/env python3
"""CHIRP's own CSV reader (Debian's package `chirp`) takes what `pwr455-cli export --format chirp`
writes. Usage: chirp_reads_export.py PWR455_CLI SAMPLE.csv; exits 77 (skipped) without CHIRP."""
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.append("/usr/lib/python3/dist-packages")
try:
    from chirp.drivers import generic_csv
except ImportError:
    sys.exit(77)

cli, sample = sys.argv[1], sys.argv[2]
with tempfile.TemporaryDirectory() as folder:
    data, exported = Path(folder, "club.qrb"), Path(folder, "club.csv")
    subprocess.run([cli, "exec", "-o", str(data), "COMMON.CH_SPACING=8.33kHz"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run([cli, "import", sample, "-i", str(data), "-o", str(data)], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([cli, "export", "--format", "chirp", str(data), "-o", str(exported)],
                   check=True)
    radio = generic_csv.CSVRadio(None)
    radio._blank()
    # CSVRadio.load opens with a mode newer Pythons refuse; _load is its reader proper.
    with open(exported, newline="") as f:
        radio._load(f)
    memories = {m.number: m for m in radio.get_memories() if not m.empty}

assert not radio.errors, radio.errors
assert sorted(memories) == [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18, 20], memories
for number, name, freq, duplex, skip in [(3, "GM ATIS", 126125000, "off", ""),
                                        (10, "AIR2AIR", 123450000, "", "S"),
                                        (13, "VASTERV", 131616660, "", "")]:
    m = memories[number]
    got = (m.name, m.freq, m.duplex, m.skip, m.mode, m.tuning_step)
    assert got == (name, freq, duplex, skip, "AM", 8.33), (number, got)
