#pragma once

#include <string>

// A text of bounded length: cut to the maximum length, padded with spaces to the minimum. In mode
// 1 letters are raised to upper case and characters outside the transceiver's display set become
// spaces; in mode 0 every character is kept. A NUL character ends the text. SetText takes one
// byte per character, as the memory image holds them; Execute takes the UTF-8 of a command, in
// which a character beyond ASCII counts once in mode 1 and becomes one blank.
class CTextValue {
public:
    CTextValue();
    virtual ~CTextValue() = default;

    // Lengths are ordered; the minimum is at least 1 and the maximum at most 256. The text
    // becomes maximum-length spaces.
    void SetLength(int a, int b);
    void SetMode(int mode) { m_mode = mode; }
    int GetMinimumLength() const { return m_minimumLength; }
    int GetMaximumLength() const { return m_maximumLength; }

    void SetText(const std::string& text);
    void SetText(const char* text, size_t length);
    // The normalised text, padding included.
    const std::string& Text() const { return m_text; }

    std::string Execute(const std::string& command);
    // The same for a query alone: a change is not made and answers empty.
    std::string Query(const std::string& command) const;

    // True for the characters that the display of the transceiver can show (mode 1).
    static bool IsDisplayCharacter(unsigned char c);

private:
    void Normalise();

    int m_minimumLength = 1;
    int m_maximumLength = 1;
    int m_mode = 1;
    std::string m_text;
};
