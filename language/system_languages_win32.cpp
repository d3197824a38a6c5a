#include "language/program_language.h"

#include <wx/uilocale.h>

std::vector<std::string> SystemLanguages()
{
    std::vector<std::string> codes;
    for (const wxString& code : wxUILocale::GetPreferredUILanguages())
        codes.push_back(code.utf8_string());
    return codes;
}
