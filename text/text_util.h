#pragma once

#include <initializer_list>
#include <string>

// Small text helpers shared by the radio data objects, the exchange formats and the front ends.

// White space as the trimming of the data objects understands it: blank, tab, line feed,
// vertical tab, form feed and carriage return.
bool IsWhiteSpace(char c);

std::string TrimRight(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string Trim(const std::string& text);

// ASCII letters raised or lowered; every other byte is kept, so UTF-8 text stays as it was and
// no locale changes the result.
std::string Upper(std::string text);
std::string Lower(std::string text);

bool StartsWith(const std::string& text, const std::string& prefix);

// The decimal value at the start of `text` in the manner of atoi: leading white space and a
// sign are accepted, reading stops at the first non-digit, no digits give 0. Values beyond the
// int range are clamped instead of overflowing.
int DecimalValue(const std::string& text);

// "121,500" as people and spreadsheets with a decimal comma write it, with a decimal point. No
// frequency of the band reaches a thousand MHz, so a comma is never a thousands separator here.
std::string WithDecimalPoint(std::string number);

// Replaces %1, %2, ... in `pattern` by the arguments; "%%" gives one "%".
std::string FormatText(const std::string& pattern, std::initializer_list<std::string> args);

// A pattern in printf's way ("%s\nNo channels were imported:\n%s") with its "%s" filled in order,
// as the desktop's message boxes word them.
std::string FormatPercentS(std::string pattern, std::initializer_list<std::string> args);
