#include "platform/console.h"

#include <cstring>
#include <iostream>
#include <streambuf>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include "platform/utf16_win32.h"

namespace {

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) != 0;
}

// The length of the longest start of `text` that ends with a whole UTF-8 character.
size_t WholeCharacters(const char* text, size_t length)
{
    for (size_t back = 1; back <= 3 && back <= length; ++back) {
        const auto c = static_cast<unsigned char>(text[length - back]);
        if ((c & 0xC0) == 0x80)
            continue;
        const size_t size = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return size > back ? length - back : length;
    }
    return length;
}

bool WriteConsoleText(HANDLE console, const char* text, size_t length)
{
    const std::wstring wide = Utf8ToWide(std::string(text, length));
    for (size_t done = 0; done < wide.size();) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(wide.size() - done, 8192));
        if (!::WriteConsoleW(console, wide.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A stream buffer that shows UTF-8 text in a console window. A character that a flush cuts in
// two waits in the buffer for the rest of its bytes.
class CConsoleBuffer : public std::streambuf {
public:
    explicit CConsoleBuffer(HANDLE console) : m_console(console) { Reset(0); }

protected:
    int_type overflow(int_type c) override
    {
        if (sync() != 0)
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override
    {
        const auto pending = static_cast<size_t>(pptr() - pbase());
        const size_t whole = WholeCharacters(pbase(), pending);
        const bool written = WriteConsoleText(m_console, pbase(), whole);
        std::memmove(m_buffer, pbase() + whole, pending - whole);
        Reset(pending - whole);
        return written ? 0 : -1;
    }

private:
    void Reset(size_t kept)
    {
        setp(m_buffer, m_buffer + sizeof m_buffer);
        pbump(static_cast<int>(kept));
    }

    HANDLE m_console;
    char m_buffer[4096];
};

// A console buffer for the standard handle `which` when it is a console, else null. The buffer is
// never freed: the streams are flushed at exit, after every static object of this program is gone.
std::streambuf* ConsoleBuffer(DWORD which)
{
    const HANDLE handle = ::GetStdHandle(which);
    return IsConsole(handle) ? new CConsoleBuffer(handle) : nullptr;
}

} // namespace

std::vector<std::string> GetProgramArguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(WideToUtf8(wide[i]));
    ::LocalFree(wide);
    return args;
}

void SetUpStandardStreams()
{
    // Pipes and files keep the C library's text mode, which writes CR LF for each line end.
    if (std::streambuf* out = ConsoleBuffer(STD_OUTPUT_HANDLE))
        std::cout.rdbuf(out);
    // cerr and clog share one buffer, so that their lines reach the console in the order written
    // (cerr stays unit-buffered and flushes what clog left in it first).
    if (std::streambuf* err = ConsoleBuffer(STD_ERROR_HANDLE)) {
        std::cerr.rdbuf(err);
        std::clog.rdbuf(err);
    }
}

std::string ForStandardStream(const std::string& text)
{
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i)
        if (text.compare(i, 2, "\r\n") != 0)
            lines += text[i];
    return lines;
}

void WriteStandardOutputNow(const char* text, size_t length)
{
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (IsConsole(out))
        WriteConsoleText(out, text, length);
    else
        (void)!::_write(1, text, static_cast<unsigned>(length));
}

bool IsStandardOutputTerminal()
{
    return IsConsole(::GetStdHandle(STD_OUTPUT_HANDLE));
}

bool IsStandardErrorTerminal()
{
    return IsConsole(::GetStdHandle(STD_ERROR_HANDLE));
}

void RingTerminalBell()
{
    const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    if (IsConsole(err))
        WriteConsoleText(err, "\a", 1);
    else
        ::MessageBeep(MB_OK);
}
