#include "exchange/csv_fields.h"

#include <algorithm>

#include "radio/display_spelling.h"
#include "exchange/text_encoding.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// Spreadsheets set to a language with a decimal comma write ';', and their "text" exports use
// tabs. Exports always write the first.
const char kSeparators[] = {',', ';', '\t'};

bool NeedsQuotes(const std::string& field)
{
    if (field.empty())
        return false;
    if (IsWhiteSpace(field.front()) || IsWhiteSpace(field.back()))
        return true;
    return field.find_first_of(",\"\r\n") != std::string::npos;
}

} // namespace

std::string CsvImportMessage(const CCsvImportError& error)
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

bool DecodeCsvImportText(const std::string& bytes, std::string& text, CCsvImportError& error)
{
    CTextDecodeError decodeError;
    if (DecodeCsvText(bytes, text, decodeError))
        return true;
    error = {decodeError.messageId, decodeError.line, {}};
    return false;
}

bool NextCsvRecord(CCsvReader& reader, CCsvRecord& record, const CColumnName& columnName,
                   CCsvImportError& error)
{
    CCsvError csvError;
    if (reader.Next(record, csvError))
        return true;
    error = {csvError.messageId, csvError.line, {columnName(csvError.field)}};
    return false;
}

bool CheckNoNulByte(const CCsvRecord& record, const CColumnName& columnName, CCsvImportError& error)
{
    for (size_t i = 0; i < record.fields.size(); ++i) {
        if (record.fields[i].find('\0') != std::string::npos) {
            error = {IDS_CSV_NUL_BYTE, record.line, {columnName(i)}};
            return false;
        }
    }
    return true;
}

ECsvRead NextFilledRecord(CCsvReader& reader, CCsvRecord& record, const CColumnName& columnName,
                          CCsvImportError& error)
{
    while (!reader.AtEnd()) {
        if (!NextCsvRecord(reader, record, columnName, error))
            return ECsvRead::kError;
        if (IsBlankCsvRecord(record))
            continue;
        return CheckNoNulByte(record, columnName, error) ? ECsvRead::kRecord : ECsvRead::kError;
    }
    return ECsvRead::kEnd;
}

bool ReadHeaderAndRows(const std::string& text, char separator,
                       const std::function<bool(const CCsvRecord&)>& isHeader,
                       const char* headerText, const CColumnName& columnName,
                       const std::function<void(const CCsvRecord&)>& onHeader,
                       const std::function<bool(const CCsvRecord&)>& onRow, CCsvImportError& error)
{
    CCsvReader reader(text, separator);
    CCsvRecord record;
    bool haveHeader = false;
    for (ECsvRead read;
         (read = NextFilledRecord(reader, record, columnName, error)) != ECsvRead::kEnd;) {
        if (read == ECsvRead::kError)
            return false;
        if (haveHeader) {
            if (!onRow(record))
                return false;
            continue;
        }
        if (!isHeader(record)) {
            error = {IDS_CSV_NO_HEADER, record.line, {headerText}};
            return false;
        }
        onHeader(record);
        haveHeader = true;
    }
    if (!haveHeader) {
        error = {IDS_CSV_EMPTY_FILE, 1, {}};
        return false;
    }
    return true;
}

char HeaderSeparator(const std::string& text,
                     const std::function<bool(const CCsvRecord&)>& isHeader)
{
    for (char separator : kSeparators) {
        CCsvReader reader(text, separator);
        CCsvRecord record;
        CCsvError ignored;
        bool read = false;
        do
            read = !reader.AtEnd() && reader.Next(record, ignored);
        while (read && IsBlankCsvRecord(record));
        if (read && isHeader(record))
            return separator;
    }
    return kSeparators[0];
}

std::string InQuotes(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string QuotedCsvField(const std::string& field)
{
    return NeedsQuotes(field) ? InQuotes(field) : field;
}

std::string UnwrappedName(const std::string& field)
{
    if (field.size() < 3 || !StartsWith(field, "=\"") || field.back() != '"')
        return field;
    std::string name;
    for (size_t i = 2; i + 1 < field.size(); ++i) {
        name += field[i];
        if (field[i] == '"' && field[i + 1] == '"')
            ++i;
    }
    return name;
}

bool CheckNameCharacters(const std::string& name, unsigned line, const std::string& column,
                         CCsvImportError& error)
{
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x80)
            continue;
        const size_t length = Utf8SequenceLength(name, i);
        if (length == 0) {
            error = {IDS_CSV_NOT_UTF8, line, {column, HexByte(c)}};
            return false;
        }
        if (!HasDisplaySpelling(name, i)) {
            error = {IDS_CSV_NAME_CHARACTER, line, {column, name.substr(i, length)}};
            return false;
        }
        i += length - 1;
    }
    return true;
}
