#pragma once

// The program's string table. Texts are kept exactly as the user sees them,
// leading and trailing blanks included; ids are those of res/resource_ids.h.

#include <string>

// Translates an English text of the table into the reader's language; returns the text itself
// when the catalog has no translation. The program sets one at start, before any text is read.
using ResTranslator = std::string (*)(const char* english);

// Sets the translator for LoadResString; nullptr keeps every text English.
void SetResTranslator(ResTranslator translator);

// Returns the text of string resource `id` in the reader's language, or an empty string when
// there is none.
std::string LoadResString(unsigned id);

// Returns the English text of string resource `id`: for what programs read (the channel list
// of pwr455-cli show), which is the same whatever the language.
std::string LoadEnglishResString(unsigned id);
