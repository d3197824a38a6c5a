#include "radio/data_differences.h"

#include "radio/r455_radio.h"

namespace {

// The channel fields compared, in the order of the channel's ALL answer.
const char* const kChannelFields[] = {"APPEAR", "FREQUENCY", "NAME", "TXINHIBIT", "CHLOCKOUT"};

} // namespace

std::vector<CDataDifference> ListDifferences(const CR455Radio& left, const CR455Radio& right)
{
    std::vector<CDataDifference> differences;
    auto compare = [&](const std::string& key) {
        std::string a = left.Query(key);
        std::string b = right.Query(key);
        if (a != b)
            differences.push_back({key, std::move(a), std::move(b)});
    };
    for (const char* key : CR455Radio::kSettingKeys)
        compare(std::string("COMMON.") + key);
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        for (const char* field : kChannelFields)
            compare(CR455Radio::ChPrefix(ch) + field);
    }
    return differences;
}

std::string QuoteValue(const std::string& value)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : value) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u > 0x7E) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string FormatDifference(const CDataDifference& difference)
{
    return difference.key + ": " + QuoteValue(difference.left) + " -> " +
           QuoteValue(difference.right);
}
