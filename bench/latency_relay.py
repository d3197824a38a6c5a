#!/usr/bin/env python3
"""A USB serial cable's latency timer between the simulator and a program: a new pseudo-terminal
whose reader gets what the simulator sent at most every MS milliseconds, in one piece, as an FTDI
cable hands on what it has; what the program writes goes on to the simulator at once.
Prints the new device's path, then relays until terminated.
  latency_relay.py SIMULATOR_DEVICE MS"""
import os
import pty
import select
import sys
import time
import tty

def main():
    simulator = os.open(sys.argv[1], os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
    tty.setraw(simulator)
    latency = float(sys.argv[2]) / 1000
    # The device's end stays open here for good: between the program's opens its pseudo-terminal
    # lasts, and its other end does not turn readable with an error that select would report
    # again and again.
    program, device = pty.openpty()
    tty.setraw(device)
    os.set_blocking(program, False)
    print(os.ttyname(device), flush=True)
    due = time.monotonic() + latency
    while True:
        readable, _, _ = select.select([program], [], [], max(0.0, due - time.monotonic()))
        if readable:
            relay(program, simulator)
        if time.monotonic() >= due:
            relay(simulator, program)
            due = time.monotonic() + latency

def relay(source, destination):
    try:
        data = os.read(source, 4096)
        if data:
            os.write(destination, data)
    except OSError:
        pass  # nothing waiting, or the other side is not open now

if __name__ == '__main__':
    main()
