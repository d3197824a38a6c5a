#pragma once

// Inside the Windows side of the program only: the system speaks UTF-16, the program UTF-8.

#include <string>

// The UTF-16 form of a UTF-8 text; bytes that are no UTF-8 become U+FFFD.
std::wstring Utf8ToWide(const std::string& text);
// The UTF-8 form of a UTF-16 text; a lone surrogate becomes U+FFFD.
std::string WideToUtf8(const std::wstring& text);
std::string WideToUtf8(const wchar_t* text, size_t length);

// The system's text for the error code `error` (GetLastError), on one line.
std::string DescribeSystemError(unsigned long error);
