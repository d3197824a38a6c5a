#include "app/information_options.h"

#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

#ifndef PWR_VERSION
#define PWR_VERSION "1.0.0"
#endif

namespace {

bool Refuse(std::string* fault, unsigned id, const std::string& arg = std::string())
{
    if (fault)
        *fault = FormatText(LoadResString(id), {arg});
    return false;
}

} // namespace

bool IsUnknownOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-' && arg != "-h" && arg != "--help" &&
           arg != "--version" && arg != "--simulate" && arg != "--";
}

bool GetInformationText(const std::vector<std::string>& args, std::string* text, std::string* fault)
{
    bool help = false;
    bool version = false;
    size_t files = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            files += args.size() - i - 1;
            break;
        }
        if (arg == "-h" || arg == "--help")
            help = true;
        else if (arg == "--version")
            version = true;
        else if (IsUnknownOption(arg))
            return Refuse(fault, IDS_APP_UNKNOWN_OPTION, arg);
        else if (arg != "--simulate")
            ++files;
    }
    if (files > 1)
        return Refuse(fault, IDS_APP_TOO_MANY_FILES);
    if (!(help || version))
        return false;
    if (help) {
        *text = LoadResString(IDS_APP_USAGE);
    } else {
        std::string line = LoadEnglishResString(IDS_APP_VERSION);
        const size_t at = line.find("%s");
        if (at != std::string::npos)
            line.replace(at, 2, PWR_VERSION);
        *text = line + "\n";
    }
    return true;
}
