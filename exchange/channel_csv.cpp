#include "exchange/channel_csv.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/engine_words.h"
#include "exchange/csv_fields.h"
#include "exchange/csv_reader.h"
#include "radio/channel_edits.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "exchange/text_encoding.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

const char kChannelCsvHeader[] = "Channel,Frequency,Name,Tx Inhibit,Lockout";

namespace {

enum EColumn { kChannel, kFrequency, kName, kTxInhibit, kLockout, kColumnCount };

const char* const kColumnNames[kColumnCount] = {"Channel", "Frequency", "Name", "Tx Inhibit",
                                                "Lockout"};

// The longest frequency text the engine reads in full.
constexpr size_t kMaxFrequencyLength = 15;

// ---- writing ----

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A spreadsheet takes a cell that starts like a number or a formula ("007", "=1+2", "-5", "@")
// for one and saves what it computed ("7", "3"). The formula ="007" computes the text itself,
// so such a name is written that way; import unwraps it (UnwrappedName).
std::string SpreadsheetText(const std::string& name)
{
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos || IsAsciiLetter(name[first]))
        return name;
    return "=" + InQuotes(name);
}

// ---- reading ----

std::string FieldName(size_t index)
{
    return index < kColumnCount ? kColumnNames[index] : std::to_string(index + 1);
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

std::string SeparatorName(char separator)
{
    return separator == '\t' ? LoadResString(IDS_CSV_TABS) : std::string{'\'', separator, '\''};
}

// For a record with the wrong number of fields: another separator that would split it into
// the expected fields, or 0.
char OtherSeparator(const CCsvRecord& record, char separator)
{
    for (char other : {',', ';', '\t'}) {
        size_t count = 0;
        for (const std::string& field : record.fields)
            count += static_cast<size_t>(std::count(field.begin(), field.end(), other));
        if (other != separator && count == kColumnCount - 1)
            return other;
    }
    return 0;
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
struct CChannelRow {
    unsigned channel = 0;
    std::string frequency; // empty: a blank channel
    std::string name;
    std::string txInhibit; // "ON", "OFF" or empty
    std::string lockout;
};

bool CheckFieldCount(const CCsvRecord& record, char separator, CCsvImportError& error)
{
    if (record.fields.size() == kColumnCount)
        return true;
    if (char other = OtherSeparator(record, separator))
        error = {IDS_CSV_OTHER_SEPARATOR,
                 record.line,
                 {SeparatorName(other), SeparatorName(separator)}};
    else
        error = {record.fields.size() == 1 ? static_cast<unsigned>(IDS_CSV_ONE_FIELD)
                                           : static_cast<unsigned>(IDS_CSV_FIELD_COUNT),
                 record.line,
                 {std::to_string(record.fields.size())}};
    return false;
}

bool CheckChannel(const CCsvRecord& record, const std::vector<bool>& seen, CChannelRow& row,
                  CCsvImportError& error)
{
    std::string channel = Trim(record.fields[kChannel]);
    bool number = !channel.empty() && channel.size() <= 2 &&
                  channel.find_first_not_of("0123456789") == std::string::npos;
    row.channel = number ? static_cast<unsigned>(std::stoul(channel)) : 0;
    if (row.channel < 1 || row.channel > CR455Radio::kChannelCount) {
        error = {IDS_CSV_BAD_CHANNEL, record.line, {kColumnNames[kChannel], ShownText(channel)}};
        return false;
    }
    if (seen[row.channel]) {
        error = {IDS_CSV_DUPLICATE_CHANNEL, record.line, {kColumnNames[kChannel], channel}};
        return false;
    }
    return true;
}

bool CheckRow(const CCsvRecord& record, char separator, const std::vector<bool>& seen,
              CChannelRow& row, CCsvImportError& error)
{
    const unsigned line = record.line;
    if (!CheckFieldCount(record, separator, error) || !CheckChannel(record, seen, row, error))
        return false;
    const std::string frequency = Trim(record.fields[kFrequency]);
    row.frequency = WithDecimalPoint(frequency);
    if (!row.frequency.empty() && !IsFrequencyText(row.frequency)) {
        error = {IDS_CSV_BAD_FREQUENCY, line, {kColumnNames[kFrequency], ShownText(frequency)}};
        return false;
    }
    // Channel 1 is always in use: the engine cannot blank it, and a row that tried would leave
    // it without a frequency, which the next save turns into the default image's.
    if (row.frequency.empty() && row.channel == 1) {
        error = {IDS_CSV_CHANNEL1_BLANK, line, {kColumnNames[kFrequency]}};
        return false;
    }
    row.name = UnwrappedName(record.fields[kName]);
    if (row.frequency.empty() && !Trim(row.name).empty()) {
        error = {IDS_CSV_NAME_WITHOUT_FREQUENCY, line, {kColumnNames[kName]}};
        return false;
    }
    if (!CheckNameCharacters(row.name, line, kColumnNames[kName], error))
        return false;
    for (EColumn column : {kTxInhibit, kLockout}) {
        std::string flag = Trim(record.fields[column]);
        if (!IsFlagText(flag)) {
            error = {IDS_CSV_BAD_FLAG, line, {kColumnNames[column], ShownText(flag)}};
            return false;
        }
        (column == kTxInhibit ? row.txInhibit : row.lockout) = Upper(flag);
    }
    return true;
}

// A blank row keeps the flags it gives; a row in use is set as the Edit Memory dialog sets it.
void ApplyRow(CR455Radio& radio, const CChannelRow& row)
{
    const unsigned ch = row.channel;
    if (row.frequency.empty()) {
        radio.SetChAppear(ch, EngineWord::kOff);
        if (!row.txInhibit.empty())
            radio.SetChTxInhibit(ch, row.txInhibit);
        if (!row.lockout.empty())
            radio.SetChLockout(ch, row.lockout);
        radio.HealCh(ch);
        return;
    }
    // Empty flags mean "OFF" on a channel in use.
    CChannelFields fields;
    fields.name = row.name;
    fields.txInhibit = row.txInhibit == EngineWord::kOn;
    fields.lockout = row.lockout == EngineWord::kOn;
    fields.frequency = row.frequency;
    CChannelEdits(radio).SetInUse(ch, fields);
}

// Spelling a name with the display's letters, or cutting it to the display's length, changes what
// the list said, so it is told; the engine's own case and filter rules are not.
void NoteSpelledOrCutNames(const CR455Radio& radio, const std::vector<CChannelRow>& rows,
                           std::vector<std::string>* notes)
{
    for (const CChannelRow& row : rows) {
        if (!notes || row.frequency.empty() || !IsNameSpelledOrCut(row.name))
            continue;
        CChannelEntry entry;
        entry.channel = row.channel;
        entry.hasName = true;
        entry.name = row.name;
        for (const std::string& note : ExplainChannelEntry(radio, entry))
            notes->push_back(note);
    }
}

bool ParseRows(const std::string& text, std::vector<CChannelRow>& rows, CCsvImportError& error)
{
    const char separator = HeaderSeparator(text, IsHeader);
    std::vector<bool> seen(CR455Radio::kChannelCount + 1, false);
    return ReadHeaderAndRows(
        text, separator, IsHeader, kChannelCsvHeader, FieldName, [](const CCsvRecord&) {},
        [&](const CCsvRecord& record) {
            CChannelRow row;
            if (!CheckRow(record, separator, seen, row, error))
                return false;
            seen[row.channel] = true;
            rows.push_back(row);
            return true;
        },
        error);
}

} // namespace

std::string ExportChannelsCsv(const CR455Radio& radio)
{
    std::string out = std::string(kChannelCsvHeader) + "\r\n";
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        out += std::to_string(ch);
        if (radio.GetChAppear(ch) == "OFF") {
            out += ",,,,\r\n";
            continue;
        }
        out += "," + QuotedCsvField(radio.GetChFrequency(ch));
        out += "," + QuotedCsvField(SpreadsheetText(radio.GetChName(ch)));
        out += "," + QuotedCsvField(radio.GetChTxInhibit(ch));
        out += "," + QuotedCsvField(radio.GetChLockout(ch));
        out += "\r\n";
    }
    return out;
}

bool ImportChannelsCsv(CR455Radio& radio, const std::string& bytes, std::string* error,
                       std::vector<std::string>* notes)
{
    std::string text;
    std::vector<CChannelRow> rows;
    CCsvImportError csvError;
    if (!DecodeCsvImportText(bytes, text, csvError) || !ParseRows(text, rows, csvError)) {
        if (error)
            *error = CsvImportMessage(csvError);
        return false;
    }
    for (const CChannelRow& row : rows)
        ApplyRow(radio, row);
    radio.Heal();
    NoteSpelledOrCutNames(radio, rows, notes);
    return true;
}

std::string ChannelRowTsv(const CR455Radio& radio, unsigned ch)
{
    std::string row = std::to_string(ch);
    if (radio.GetChAppear(ch) == "OFF")
        return row + "\t\t\t\t\n";
    // Names hold neither tabs nor line ends, so no field needs quotes.
    for (const std::string& field : {radio.GetChFrequency(ch), SpreadsheetText(radio.GetChName(ch)),
                                     radio.GetChTxInhibit(ch), radio.GetChLockout(ch)})
        row += "\t" + field;
    return row + "\n";
}

namespace {

// The rows of a pasted block, each given the channel it goes to: `first` and those after it.
bool ParsePastedRows(const std::string& text, unsigned first, std::vector<CChannelRow>& rows,
                     CCsvImportError& error)
{
    // A spreadsheet's copy separates fields with tabs.
    const char separator = text.find('\t') != std::string::npos ? '\t'
                                                                : HeaderSeparator(text, IsHeader);
    CCsvReader reader(text, separator);
    CCsvRecord record;
    std::vector<bool> seen(CR455Radio::kChannelCount + 1, false);
    unsigned next = first;
    while (!reader.AtEnd()) {
        if (!NextCsvRecord(reader, record, FieldName, error))
            return false;
        // A header row that came along with the data is no channel.
        if (IsBlankCsvRecord(record) || (rows.empty() && IsHeader(record)))
            continue;
        if (!CheckNoNulByte(record, FieldName, error))
            return false;
        if (next > CR455Radio::kChannelCount) {
            error = {IDS_PASTE_ROWS_NO_ROOM, record.line, {}};
            return false;
        }
        // The Channel column says where the row came from; where it goes is the selection's.
        if (record.fields.size() == kColumnCount)
            record.fields[kChannel] = std::to_string(next);
        CChannelRow row;
        if (!CheckRow(record, separator, seen, row, error))
            return false;
        seen[row.channel] = true;
        rows.push_back(row);
        ++next;
    }
    return true;
}

} // namespace

bool PasteChannelRows(CR455Radio& radio, unsigned first, const std::string& text, unsigned* count,
                      std::string* error, std::vector<std::string>* notes)
{
    std::vector<CChannelRow> rows;
    CCsvImportError csvError;
    if (first < 1 || !ParsePastedRows(text, first, rows, csvError)) {
        if (error)
            *error = CsvImportMessage(csvError);
        return false;
    }
    for (const CChannelRow& row : rows)
        ApplyRow(radio, row);
    if (!rows.empty())
        radio.Heal();
    NoteSpelledOrCutNames(radio, rows, notes);
    if (count)
        *count = static_cast<unsigned>(rows.size());
    return true;
}
