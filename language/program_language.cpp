#include "language/program_language.h"


#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/translation.h>
#include <wx/utils.h>

#include "platform/user_folders.h"
#include "platform/user_languages.h"
#include "res/string_table.h"

namespace {

const char kDomain[] = "pwr455";

std::string g_languageInUse = "en";

std::string BaseLanguage(const std::string& code)
{
    const std::string base = code.substr(0, code.find_first_of("_.@-"));
    return base == "no" ? "nb" : base;
}

std::string TranslateWithCatalog(const char* english)
{
    // An empty msgid would give the catalog's header.
    wxTranslations* translations = wxTranslations::Get();
    if (!*english || !translations)
        return english;
    const wxString* text = translations->GetTranslatedString(wxString::FromUTF8(english), kDomain);
    return text ? text->utf8_string() : std::string(english);
}

// Where the catalogs lie: the program's folders, then (wxWidgets' own texts on Linux) the system's.
// wxWidgets' own loader would need a running application, which pwr455-cli never has and the
// desktop program does not have yet when its language is chosen.
class CCatalogLoader : public wxTranslationsLoader {
public:
    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString& lang) override
    {
        for (const wxString& folder : m_folders) {
            const wxString path = CatalogPath(folder, lang, domain);
            if (wxFileName::FileExists(path))
                return wxMsgCatalog::CreateFromFile(path, domain);
        }
        return nullptr;
    }

    wxArrayString GetAvailableTranslations(const wxString& domain) const override
    {
        wxArrayString languages;
        for (const wxString& folder : m_folders) {
            wxDir dir(folder);
            wxString lang;
            if (!wxDir::Exists(folder) || !dir.IsOpened())
                continue;
            for (bool more = dir.GetFirst(&lang, wxString(), wxDIR_DIRS); more;
                 more = dir.GetNext(&lang)) {
                if (wxFileName::FileExists(CatalogPath(folder, lang, domain)) &&
                    languages.Index(lang) == wxNOT_FOUND)
                    languages.Add(lang);
            }
        }
        return languages;
    }

private:
    std::vector<wxString> m_folders = SearchFolders();

    // Where gettext keeps a domain's catalog for a language below a locale folder.
    static wxString CatalogPath(const wxString& folder, const wxString& lang, const wxString& domain)
    {
        return folder + "/" + lang + "/LC_MESSAGES/" + domain + ".mo";
    }

    static std::vector<wxString> SearchFolders()
    {
        std::vector<wxString> folders;
        for (const std::string& folder : CatalogFolders())
            folders.push_back(wxString::FromUTF8(folder));
        const wxString prefix = wxGetInstallPrefix();
        if (!prefix.empty())
            folders.push_back(prefix + "/share/locale");
        return folders;
    }
};

std::vector<std::string> AvailableLanguages()
{
    std::vector<std::string> codes;
    if (wxTranslations* translations = wxTranslations::Get()) {
        for (const wxString& code : translations->GetAvailableTranslations(kDomain))
            codes.push_back(code.utf8_string());
    }
    return codes;
}

} // namespace

const std::vector<CProgramLanguage>& ProgramLanguages()
{
    static const std::vector<CProgramLanguage> languages = {
        {"", ""}, {"en", "English"}, {"nb", "Norsk bokm\xC3\xA5l"}, {"sv", "Svenska"},
        {"da", "Dansk"}, {"fi", "Suomi"},
    };
    return languages;
}

std::string ResolveLanguage(const std::string& chosen, const std::vector<std::string>& wanted,
                            const std::vector<std::string>& available)
{
    const std::vector<std::string> asked = chosen.empty() ? wanted : std::vector<std::string>{chosen};
    for (const std::string& code : asked) {
        const std::string base = BaseLanguage(code);
        if (base == "en" || base == "C" || base == "POSIX")
            return "en";
        for (const std::string& have : available) {
            if (BaseLanguage(have) == base)
                return have;
        }
    }
    return "en";
}

std::vector<std::string> CatalogFolders()
{
    std::vector<std::string> folders;
    wxString env;
    if (wxGetEnv("PWR455_LOCALE_DIR", &env) && !env.empty())
        folders.push_back(env.utf8_string());
    const std::string program = GetProgramFolder();
    if (!program.empty()) {
        for (const char* relative : {"/../share/locale", "/../share/pwr455/locale", "/locale"}) {
            wxFileName folder(wxString::FromUTF8(program + relative), "");
            folder.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
            folders.push_back(folder.GetPath().utf8_string());
        }
    }
#ifdef PWR_BUILD_LOCALE_DIR
    folders.push_back(PWR_BUILD_LOCALE_DIR);
#endif
    return folders;
}

const std::string& LanguageInUse()
{
    return g_languageInUse;
}

std::string UseLanguage(const std::string& chosen, bool widgetTexts)
{
    g_languageInUse = "en";
    // wxTranslations::Set owns the object and deletes the one before; SetLoader owns the loader.
    wxTranslations::Set(new wxTranslations);
    wxTranslations::Get()->SetLoader(new CCatalogLoader);
    const std::string language = ResolveLanguage(chosen, SystemLanguages(), AvailableLanguages());
    wxTranslations* translations = wxTranslations::Get();
    translations->SetLanguage(wxString::FromUTF8(language));
    if (language == "en" || !translations->AddCatalog(kDomain, wxLANGUAGE_ENGLISH_US)) {
        // Texts stay the English of the table, byte for byte, wxWidgets' own as well.
        wxTranslations::Set(nullptr);
        SetResTranslator(nullptr);
        return "en";
    }
    if (widgetTexts)
        translations->AddStdCatalog();
    SetResTranslator(&TranslateWithCatalog);
    g_languageInUse = language;
    return language;
}
