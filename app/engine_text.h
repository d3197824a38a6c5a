#pragma once

// Texts between the engine (bytes, UTF-8 where they are not plain ASCII) and the controls.

#include <string>

#include <wx/string.h>

// An engine answer as a control text; bytes that are not UTF-8 are taken one by one.
inline wxString FromEngine(const std::string& text)
{
    wxString converted = wxString::FromUTF8(text);
    if (converted.empty() && !text.empty())
        converted = wxString::From8BitData(text.data(), text.size());
    return converted;
}

// A control text as an engine value.
inline std::string ToEngine(const wxString& text)
{
    return text.utf8_string();
}
