// Which catalog a person gets: the gettext rules of the environment and the fallback to English.
#include <gtest/gtest.h>

#include "language/program_language.h"

TEST(ProgramLanguage, TheFirstWantedLanguageWithACatalogWins)
{
    const std::vector<std::string> available{"da", "fi", "nb", "sv"};
    const struct {
        std::string chosen;
        std::vector<std::string> wanted;
        std::string language;
    } cases[] = {
        {"", {"nn", "sv_SE.UTF-8"}, "sv"}, {"", {"no_NO"}, "nb"},   {"", {"de", "en_GB", "fi"}, "en"},
        {"", {}, "en"},                    {"fi", {"sv"}, "fi"},    {"is", {"sv"}, "en"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveLanguage(c.chosen, c.wanted, available), c.language) << c.chosen;
}
