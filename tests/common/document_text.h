#pragma once

// A radio data set to and from the text of its document file, through the archive as File Save
// and File Open use it, and the archive errors they raise.

#include <sstream>
#include <string>

#include "radio/archive.h"
#include "radio/r455_radio.h"

inline std::string Store(CR455Radio& radio)
{
    std::ostringstream out;
    CArchive ar(out);
    radio.Serialize(ar);
    return out.str();
}

// A radio on a new data set, as File New makes it.
struct CNewRadio : CR455Radio {
    CNewRadio() { ResetData(); }
};

// Puts channel `ch` in use with these fields, through the engine only.
inline void PutChannel(CR455Radio& radio, unsigned ch, std::string frequency,
                       const std::string& name, bool txInhibit = false, bool lockout = false)
{
    radio.SetChFrequency(ch, frequency);
    radio.SetChAppear(ch, "ON");
    radio.SetChName(ch, name);
    radio.SetChTxInhibit(ch, txInhibit ? "ON" : "OFF");
    radio.SetChLockout(ch, lockout ? "ON" : "OFF");
    radio.HealCh(ch);
}

// Raises the archive error of a text that is not a document.
inline void Load(CR455Radio& radio, const std::string& text)
{
    std::istringstream in(text);
    CArchive ar(in);
    radio.Serialize(ar);
}

// The archive error that `action` raises as its cause number and message ("0: Unexpected file
// format."), or "no archive error".
template <class Action>
std::string ArchiveError(Action action)
{
    try {
        action();
    } catch (const CArchiveException& e) {
        return std::to_string(e.GetCause()) + ": " + e.what();
    }
    return "no archive error";
}
