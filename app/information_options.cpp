#include "app/information_options.h"

#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

#ifndef PWR_VERSION
#define PWR_VERSION "1.0.0"
#endif

bool GetInformationText(const std::vector<std::string>& args, std::string* text)
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
        else if (arg.size() > 1 && arg[0] == '-' && arg != "--simulate")
            return false;
        else if (arg != "--simulate")
            ++files;
    }
    if (files > 1 || !(help || version))
        return false;
    if (help) {
        *text = LoadResString(IDS_APP_USAGE);
    } else {
        std::string line = LoadResString(IDS_APP_VERSION);
        const size_t at = line.find("%s");
        if (at != std::string::npos)
            line.replace(at, 2, PWR_VERSION);
        *text = line + "\n";
    }
    return true;
}
