#pragma once

// The system's side of the serial port (CCommPort) and of the clock's wait for its input: one
// function per system operation. A port is known by its handle, an int: a file descriptor on
// POSIX; on Windows the HANDLE as HandleToLong gives it (Windows keeps handles within 32 bits).
// Error codes are the system's own (errno, GetLastError).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A device's line settings as they were found, to be given back when the port closes.
struct CSerialLine;

// The device the COM port `number` (1 to 4) stands for when nothing else is chosen.
std::string GetDefaultSerialDevice(int number);

// Opens `device` for reading and writing by this process alone (a second open fails while it
// is held), without waiting for a carrier. -1, with `error`, on failure.
int OpenSerialDevice(const std::string& device, int& error);
// Ends the exclusive use and closes the handle.
void CloseSerialDevice(int handle);

// The device's line settings now; nullptr when it has none (it is no serial device).
std::shared_ptr<CSerialLine> GetSerialLine(int handle);
// Gives a device settings taken with GetSerialLine back.
void SetSerialLine(int handle, const CSerialLine& line);
// Raw bytes at `baud`, 8 data bits, no parity, one stop bit, no flow control; reads never wait.
bool ConfigureSerialLine(int handle, unsigned baud, int& error);
void SetSerialControlLines(int handle, bool dtr, bool rts);
// Drops what waits in both directions.
void PurgeSerialDevice(int handle);

// The port whose settings a process that ends abruptly still gives back (the last one kept).
void KeepSerialLineForExit(int handle, const CSerialLine& line);
void ForgetSerialLineForExit(int handle);
// Gives the kept settings back. Async-signal-safe.
void RestoreSerialLineForExitNow();

// Writes the whole buffer within `limitMs` milliseconds in all.
bool WriteSerial(int handle, const uint8_t* data, size_t length, unsigned limitMs, int& error);
// Bytes received and waiting to be read; whatever has arrived is counted. Where the port reads
// ahead (Windows), the bytes read ahead are counted until they have all been handed out.
size_t GetSerialWaitingCount(int handle);
// Reads up to `count` waiting bytes without waiting; the number read, or -1 with `error`.
long ReadSerial(int handle, uint8_t* buffer, size_t count, int& error);
// Waits until everything written has been sent.
bool DrainSerial(int handle);

enum class ESerialInput { Waiting, None, HungUp };
// Waits up to `milliseconds` for input on the port; a line that has hung up returns at once.
ESerialInput WaitSerialInput(int handle, unsigned milliseconds);
