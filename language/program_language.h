#pragma once

// The language of the texts a person reads. English is the language the texts are written in;
// the others come from translation catalogs ("pwr455", and wxWidgets' own "wxstd" for the
// desktop program), compiled from po/LANG.po. wxBase only: the desktop program and pwr455-cli
// both use it. What programs read (CSV, pwr455-cli show and diff, exec answers) never goes
// through it.

#include <string>
#include <vector>

struct CProgramLanguage {
    const char* code;       // catalog name: "nb", ...; "" is the system's language
    const char* nativeName; // in the language itself: "Norsk bokmål"
};

// The languages View > Language offers: the system's, English, then those with a catalog.
const std::vector<CProgramLanguage>& ProgramLanguages();

// The catalog language for `chosen` ("": the first of `wanted` with a catalog among
// `available`, else "en"). "no" (Norwegian) is read as bokmål, the written form of most.
std::string ResolveLanguage(const std::string& chosen, const std::vector<std::string>& wanted,
                            const std::vector<std::string>& available);

// Loads the catalogs of `chosen` ("": the system's language) for the whole program: _(), XRC
// texts and LoadResString. With `widgetTexts` wxWidgets' own texts follow (stock buttons,
// standard dialogs). A language without a catalog gives English. Returns the language in use.
std::string UseLanguage(const std::string& chosen, bool widgetTexts);

// The language UseLanguage chose last ("en" before).
const std::string& LanguageInUse();

// The folders searched for LANG/LC_MESSAGES/DOMAIN.mo: PWR455_LOCALE_DIR, <exe>/../share/locale
// and <exe>/../share/pwr455/locale (installed on Linux: the program's catalogs, and wxWidgets'
// for a language Debian lacks), <exe>/locale (Windows), the build tree's; then the system's.
std::vector<std::string> CatalogFolders();
