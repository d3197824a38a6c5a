#include "clone/comm_port_os.h"

#include <cerrno>

#include <emscripten.h>

// The browser's serial ports, through the Web Serial API (the page's `serial` object,
// web/page/src/serial_ports.ts). A device is "webserial:N", the N-th port the user has let this
// page use; a handle is the page's number of an open port. Opening, writing, draining and waiting
// hand the browser back its event loop while they wait (Asyncify). Closing releases the port's
// streams at once and closes it in the background, so that a cancelled run or a pulled cable
// never leaves the port locked; the next open waits for that close.

struct CSerialLine {};

// clang-format off
EM_ASYNC_JS(int, PageSerialOpen, (const char* device, unsigned baud), {
    return await Module.serial.open(UTF8ToString(device), baud);
});
EM_JS(void, PageSerialClose, (int handle), { Module.serial.close(handle); });
EM_ASYNC_JS(int, PageSerialWrite, (int handle, const uint8_t* data, size_t length, unsigned limitMs), {
    return await Module.serial.write(handle, HEAPU8.slice(data, data + length), limitMs);
});
EM_JS(size_t, PageSerialWaiting, (int handle), { return Module.serial.waiting(handle); });
EM_JS(int, PageSerialRead, (int handle, uint8_t* buffer, size_t count), {
    const bytes = Module.serial.read(handle, count);
    if (bytes === null)
        return -1;
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});
EM_JS(void, PageSerialPurge, (int handle), { Module.serial.purge(handle); });
EM_ASYNC_JS(int, PageSerialWait, (int handle, unsigned milliseconds), {
    return await Module.serial.wait(handle, milliseconds);
});
EM_JS(int, PageSerialPoll, (int handle), { return Module.serial.poll(handle); });
EM_ASYNC_JS(int, PageSerialSignals, (int handle, int dtr, int rts), {
    return await Module.serial.setSignals(handle, dtr !== 0, rts !== 0) ? 1 : 0;
});
// clang-format on

std::string GetDefaultSerialDevice(int number)
{
    return "webserial:" + std::to_string(number - 1);
}

int OpenSerialDevice(const std::string& device, int& error)
{
    // The page opens at the line's speed; the link sets that speed right after.
    const int handle = PageSerialOpen(device.c_str(), 9600);
    if (handle < 0) {
        error = -handle;
        return -1;
    }
    return handle;
}

void CloseSerialDevice(int handle)
{
    PageSerialClose(handle);
}

std::shared_ptr<CSerialLine> GetSerialLine(int)
{
    // Every port of the browser is a serial line; it opens afresh every time, so there are no
    // earlier settings to give back.
    return std::make_shared<CSerialLine>();
}

void SetSerialLine(int, const CSerialLine&) {}

bool ConfigureSerialLine(int, unsigned baud, int& error)
{
    // Web Serial sets the speed and framing (8N1, no flow control) at open.
    if (baud != 9600) {
        error = EINVAL;
        return false;
    }
    return true;
}

void SetSerialControlLines(int handle, bool dtr, bool rts)
{
    PageSerialSignals(handle, dtr ? 1 : 0, rts ? 1 : 0);
}

void PurgeSerialDevice(int handle)
{
    PageSerialPurge(handle);
}

// A page that ends closes its ports with it.
void KeepSerialLineForExit(int, const CSerialLine&) {}
void ForgetSerialLineForExit(int) {}
void RestoreSerialLineForExitNow() {}

bool WriteSerial(int handle, const uint8_t* data, size_t length, unsigned limitMs, int& error)
{
    const int result = PageSerialWrite(handle, data, length, limitMs);
    if (result != 0)
        error = result;
    return result == 0;
}

size_t GetSerialWaitingCount(int handle)
{
    return PageSerialWaiting(handle);
}

long ReadSerial(int handle, uint8_t* buffer, size_t count, int& error)
{
    const int got = PageSerialRead(handle, buffer, count);
    if (got < 0)
        error = EIO;
    return got;
}

bool DrainSerial(int)
{
    // A write returns once the port has taken its bytes.
    return true;
}

ESerialInput WaitSerialInput(int handle, unsigned milliseconds)
{
    // A look without waiting needs no trip through the browser's event loop, which the clone
    // loop would otherwise take twice for every wait.
    switch (milliseconds == 0 ? PageSerialPoll(handle) : PageSerialWait(handle, milliseconds)) {
    case 0:
        return ESerialInput::Waiting;
    case 1:
        return ESerialInput::None;
    default:
        return ESerialInput::HungUp;
    }
}
