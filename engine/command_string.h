#pragma once

#include <string>

// The text of one engine command with its field operations. Fields are counted from 0; the
// separator search is exact and case-sensitive, and there is no escaping.
class CCommandString {
public:
    CCommandString() = default;
    CCommandString(const char* text) : m_text(text != nullptr ? text : "") {}
    CCommandString(const std::string& text) : m_text(text) {}
    virtual ~CCommandString() = default;

    CCommandString& operator=(const char* text)
    {
        m_text = text != nullptr ? text : "";
        return *this;
    }
    CCommandString& operator=(const std::string& text)
    {
        m_text = text;
        return *this;
    }

    const std::string& GetText() const { return m_text; }
    bool IsEmpty() const { return m_text.empty(); }
    void Clear() { m_text.clear(); }

    // The text between the n-th and the (n+1)-th separator; empty when fewer than n separators
    // exist. Field(c, 0) of a text without c is the whole text.
    std::string Field(char separator, int n) const;
    // The text after the n-th separator; empty when fewer than n separators exist.
    std::string Rest(char separator, int n) const;
    // The same with a separator of several characters, searched as a substring.
    std::string Field(const std::string& separator, int n) const;
    std::string Rest(const std::string& separator, int n) const;

private:
    // Position just after the n-th separator, or npos when the text runs out of separators.
    std::string::size_type SkipSeparators(const std::string& separator, int n) const;

    std::string m_text;
};

// Command and value words are compared without regard to case (ASCII letters only).
bool EqualsNoCase(const std::string& a, const char* b);
bool EqualsNoCase(const std::string& a, const std::string& b);

// Reads a decimal integer the way the "%d" conversion does: leading white space, an optional
// sign, then digits up to the first other character. False when no digit follows; a number
// too large for the result saturates.
bool ParseDecimal(const std::string& text, long long& value);
