#pragma once

// How reading a decimal number ended.
enum class EDecimalRead {
    kNumber,     // a number was read; `value` holds it
    kNoNumber,   // the text does not start with a number; `value` is unchanged
    kOutOfRange, // a number too large or too small for a double; `value` is unchanged
};

struct CDecimalRead {
    EDecimalRead outcome;
    const char* end; // just past the number read (also when it is out of range); `first` if none
};

// Reads a decimal floating-point number at the start of [first, last) as std::from_chars reads
// it in its general format: an optional minus sign, digits with an optional point (at least one
// digit), an optional exponent (e or E, an optional sign, digits), or "inf", "infinity", "nan"
// and "nan(...)" in any case. No blanks are skipped and no plus sign is taken. The point is always
// a point, whatever the locale. Numbers of up to 15 significant digits with an exponent of at most
// 22 either way, which are all a megahertz text can be, are exact to the last bit; longer ones
// are as close as a double's arithmetic gets.
CDecimalRead ReadDecimalNumber(const char* first, const char* last, double& value);
