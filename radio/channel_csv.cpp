#include "radio/channel_csv.h"

#include <cctype>
#include <vector>

#include "radio/csv_reader.h"
#include "radio/r455_radio.h"
#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

const char kChannelCsvHeader[] = "Channel,Frequency,Name,Tx Inhibit,Lockout";

namespace {

enum Column { kChannel, kFrequency, kName, kTxInhibit, kLockout, kColumnCount };

const char* const kColumnNames[kColumnCount] = {"Channel", "Frequency", "Name", "Tx Inhibit",
                                                "Lockout"};

// The longest frequency text the engine reads in full.
constexpr size_t kMaxFrequencyLength = 15;

// ---- writing ----

bool NeedsQuotes(const std::string& field)
{
    if (field.empty())
        return false;
    if (IsWhiteSpace(field.front()) || IsWhiteSpace(field.back()))
        return true;
    return field.find_first_of(",\"\r\n") != std::string::npos;
}

std::string Quoted(const std::string& field)
{
    if (!NeedsQuotes(field))
        return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

// ---- reading ----

struct CsvError {
    unsigned messageId = 0;
    unsigned line = 0;
    std::vector<std::string> args; // after the line number
};

std::string FieldName(size_t index)
{
    return index < kColumnCount ? kColumnNames[index] : std::to_string(index + 1);
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool IsHeader(const CCsvRecord& record)
{
    if (record.fields.size() != kColumnCount)
        return false;
    for (size_t i = 0; i < kColumnCount; ++i) {
        if (Upper(Trim(record.fields[i])) != Upper(kColumnNames[i]))
            return false;
    }
    return true;
}

// A frequency in MHz: digits with at most one decimal point, and at least one digit.
bool IsFrequencyText(const std::string& text)
{
    if (text.empty() || text.size() > kMaxFrequencyLength)
        return false;
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

bool IsFlagText(const std::string& text)
{
    std::string upper = Upper(text);
    return upper.empty() || upper == "ON" || upper == "OFF";
}

// One checked row, ready to be set.
struct ChannelRow {
    unsigned channel = 0;
    std::string frequency; // empty: a blank channel
    std::string name;
    std::string txInhibit; // "ON", "OFF" or empty
    std::string lockout;
};

bool CheckRow(const CCsvRecord& record, const std::vector<bool>& seen, ChannelRow& row,
              CsvError& error)
{
    const unsigned line = record.line;
    if (record.fields.size() != kColumnCount) {
        error = {IDS_CSV_FIELD_COUNT, line, {std::to_string(record.fields.size())}};
        return false;
    }
    std::string channel = Trim(record.fields[kChannel]);
    bool number = !channel.empty() && channel.size() <= 2 &&
                  channel.find_first_not_of("0123456789") == std::string::npos;
    row.channel = number ? static_cast<unsigned>(std::stoul(channel)) : 0;
    if (row.channel < 1 || row.channel > CR455Radio::kChannelCount) {
        error = {IDS_CSV_BAD_CHANNEL, line, {kColumnNames[kChannel], channel}};
        return false;
    }
    if (seen[row.channel]) {
        error = {IDS_CSV_DUPLICATE_CHANNEL, line, {kColumnNames[kChannel], channel}};
        return false;
    }
    row.frequency = Trim(record.fields[kFrequency]);
    if (!row.frequency.empty() && !IsFrequencyText(row.frequency)) {
        error = {IDS_CSV_BAD_FREQUENCY, line, {kColumnNames[kFrequency], row.frequency}};
        return false;
    }
    row.name = record.fields[kName];
    if (row.frequency.empty() && !Trim(row.name).empty()) {
        error = {IDS_CSV_NAME_WITHOUT_FREQUENCY, line, {kColumnNames[kName]}};
        return false;
    }
    for (Column column : {kTxInhibit, kLockout}) {
        std::string flag = Trim(record.fields[column]);
        if (!IsFlagText(flag)) {
            error = {IDS_CSV_BAD_FLAG, line, {kColumnNames[column], flag}};
            return false;
        }
        (column == kTxInhibit ? row.txInhibit : row.lockout) = Upper(flag);
    }
    return true;
}

// Sets one channel in the order the edit dialog uses: name, Tx inhibit, lockout, frequency,
// APPEAR, then the channel's heal.
void ApplyRow(CR455Radio& radio, const ChannelRow& row)
{
    const unsigned ch = row.channel;
    if (row.frequency.empty()) {
        radio.SetChAppear(ch, "OFF");
        if (!row.txInhibit.empty())
            radio.SetChTxInhibit(ch, row.txInhibit);
        if (!row.lockout.empty())
            radio.SetChLockout(ch, row.lockout);
        radio.HealCh(ch);
        return;
    }
    radio.SetChName(ch, row.name);
    radio.SetChTxInhibit(ch, row.txInhibit.empty() ? "OFF" : row.txInhibit);
    radio.SetChLockout(ch, row.lockout.empty() ? "OFF" : row.lockout);
    std::string frequency = row.frequency;
    radio.SetChFrequency(ch, frequency);
    radio.SetChAppear(ch, "ON");
    radio.HealCh(ch);
}

std::string Message(const CsvError& error)
{
    std::vector<std::string> args{std::to_string(error.line)};
    args.insert(args.end(), error.args.begin(), error.args.end());
    std::string pattern = LoadResString(error.messageId);
    switch (args.size()) {
    case 1:
        return FormatText(pattern, {args[0]});
    case 2:
        return FormatText(pattern, {args[0], args[1]});
    default:
        return FormatText(pattern, {args[0], args[1], args[2]});
    }
}

bool ParseRows(const std::string& text, std::vector<ChannelRow>& rows, CsvError& error)
{
    CCsvReader reader(text);
    CCsvRecord record;
    bool haveHeader = false;
    std::vector<bool> seen(CR455Radio::kChannelCount + 1, false);
    while (!reader.AtEnd()) {
        CCsvError csvError;
        if (!reader.Next(record, csvError)) {
            error = {csvError.messageId, csvError.line, {FieldName(csvError.field)}};
            return false;
        }
        if (IsBlankCsvRecord(record))
            continue;
        if (!haveHeader) {
            if (!IsHeader(record)) {
                error = {IDS_CSV_NO_HEADER, record.line, {kChannelCsvHeader}};
                return false;
            }
            haveHeader = true;
            continue;
        }
        ChannelRow row;
        if (!CheckRow(record, seen, row, error))
            return false;
        seen[row.channel] = true;
        rows.push_back(row);
    }
    if (!haveHeader) {
        error = {IDS_CSV_NO_HEADER, 1, {kChannelCsvHeader}};
        return false;
    }
    return true;
}

} // namespace

std::string ExportChannelsCsv(CR455Radio& radio)
{
    std::string out = std::string(kChannelCsvHeader) + "\r\n";
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        out += std::to_string(ch);
        if (radio.GetChAppear(ch) == "OFF") {
            out += ",,,,\r\n";
            continue;
        }
        out += "," + Quoted(radio.GetChFrequency(ch));
        out += "," + Quoted(radio.GetChName(ch));
        out += "," + Quoted(radio.GetChTxInhibit(ch));
        out += "," + Quoted(radio.GetChLockout(ch));
        out += "\r\n";
    }
    return out;
}

bool ImportChannelsCsv(CR455Radio& radio, const std::string& text, std::string* error)
{
    std::vector<ChannelRow> rows;
    CsvError csvError;
    if (!ParseRows(text, rows, csvError)) {
        if (error)
            *error = Message(csvError);
        return false;
    }
    for (const ChannelRow& row : rows)
        ApplyRow(radio, row);
    radio.Heal();
    return true;
}
