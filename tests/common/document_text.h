#pragma once

// A radio data set to and from the text of its document file, through the archive as File Save
// and File Open use it.

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

// Raises the archive error of a text that is not a document.
inline void Load(CR455Radio& radio, const std::string& text)
{
    std::istringstream in(text);
    CArchive ar(in);
    radio.Serialize(ar);
}
