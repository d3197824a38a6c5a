#include "exchange/airport_list.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_io.h"
#include "platform/user_folders.h"
#include "exchange/csv_reader.h"
#include "exchange/text_encoding.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The column names of the OurAirports file: its columns are found by them.
enum EColumn { kIdent, kType, kDescription, kFrequency, kColumnCount };
const char* const kColumnNames[kColumnCount] = {"airport_ident", "type", "description",
                                                "frequency_mhz"};

const char kListFileName[] = "airport-frequencies.csv";

// Descriptions run to some 60 characters; this bounds what one row may hold.
constexpr size_t kMaxFieldLength = 1024;

// Where each column sits in the rows, from the header; false when one is missing.
bool FindColumns(const CCsvRecord& header, size_t (&index)[kColumnCount])
{
    for (size_t c = 0; c < kColumnCount; ++c) {
        auto it = std::find_if(header.fields.begin(), header.fields.end(),
                               [&](const std::string& f) { return Trim(f) == kColumnNames[c]; });
        if (it == header.fields.end())
            return false;
        index[c] = static_cast<size_t>(it - header.fields.begin());
    }
    return true;
}

std::string LineMessage(unsigned id, unsigned line, std::initializer_list<std::string> more = {})
{
    std::vector<std::string> args{std::to_string(line)};
    args.insert(args.end(), more.begin(), more.end());
    args.resize(3);
    return FormatText(LoadResString(id), {args[0], args[1], args[2]});
}

// The field without white space at either end, as a screen can show it (PrintableText): line
// breaks and other control characters become blanks.
std::string Take(const std::string& field)
{
    std::string text = PrintableText(field);
    size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1]))
        --end;
    text.erase(end);
    size_t start = 0;
    while (start < text.size() && IsWhiteSpace(text[start]))
        ++start;
    text.erase(0, start);
    return text;
}

} // namespace

bool CAirportList::Load(const std::string& text, std::string* error)
{
    auto fail = [error](std::string message) {
        if (error)
            *error = std::move(message);
        return false;
    };
    CCsvReader reader(text, ',', kMaxFieldLength);
    CCsvRecord record;
    CCsvError csvError;
    size_t column[kColumnCount] = {};
    bool haveHeader = false;
    std::vector<CAirportFrequency> rows;
    std::unordered_map<std::string, std::vector<uint32_t>> byIdent;
    // A row per line at most (lines end in LF, CR LF or a lone CR), and an airport has a few.
    const size_t lines = static_cast<size_t>(std::max(std::count(text.begin(), text.end(), '\n'),
                                                      std::count(text.begin(), text.end(), '\r'))) +
                         1;
    rows.reserve(lines);
    byIdent.reserve(lines / 3);
    size_t needed = 0;
    std::vector<uint32_t>* sameAirport = nullptr;
    while (!reader.AtEnd()) {
        if (!reader.Next(record, csvError))
            return fail(LineMessage(csvError.messageId, csvError.line,
                                    {std::to_string(csvError.field + 1)}));
        if (IsBlankCsvRecord(record))
            continue;
        if (!haveHeader) {
            if (!FindColumns(record, column))
                return fail(LineMessage(IDS_AIR_LIST_NO_HEADER, record.line));
            needed = *std::max_element(std::begin(column), std::end(column)) + 1;
            haveHeader = true;
            continue;
        }
        if (record.fields.size() < needed)
            return fail(LineMessage(
                record.fields.size() == 1 ? IDS_AIR_LIST_ONE_FIELD : IDS_AIR_LIST_SHORT_ROW,
                record.line, {std::to_string(record.fields.size()), std::to_string(needed)}));
        for (size_t c = 0; c < kColumnCount; ++c)
            if (record.fields[column[c]].find('\0') != std::string::npos)
                return fail(LineMessage(IDS_CSV_NUL_BYTE, record.line, {kColumnNames[c]}));
        CAirportFrequency row;
        row.ident = Take(record.fields[column[kIdent]]);
        row.type = Take(record.fields[column[kType]]);
        row.description = Take(record.fields[column[kDescription]]);
        row.frequency = Take(record.fields[column[kFrequency]]);
        // Lists keep an airport's rows together: the previous row's airport is looked up once.
        if (!sameAirport || row.ident != rows.back().ident)
            sameAirport = &byIdent[Upper(row.ident)];
        sameAirport->push_back(static_cast<uint32_t>(rows.size()));
        rows.push_back(std::move(row));
    }
    if (!haveHeader)
        return fail(LineMessage(IDS_AIR_LIST_NO_HEADER, 1));
    m_rows = std::move(rows);
    m_byIdent = std::move(byIdent);
    return true;
}

bool CAirportList::LoadFile(const std::string& path, std::string* error)
{
    std::string text;
    std::string reason = LoadResString(IDS_OPEN_CANNOT_READ);
    switch (ReadFileBounded(path, kMaxFileBytes, text, &reason)) {
    case EFileError::None:
        break;
    case EFileError::TooLarge:
        if (error)
            *error = FormatText(LoadResString(IDS_AIR_LIST_TOO_LARGE), {path});
        return false;
    default:
        if (error)
            *error = FormatText(LoadResString(IDS_AIR_LIST_CANNOT_READ), {path, reason});
        return false;
    }
    return LoadNamed(path, text, error);
}

bool CAirportList::LoadNamed(const std::string& name, const std::string& text, std::string* error)
{
    if (text.size() > kMaxFileBytes) {
        if (error)
            *error = FormatText(LoadResString(IDS_AIR_LIST_TOO_LARGE), {name});
        return false;
    }
    std::string message;
    if (!Load(text, &message)) {
        if (error)
            *error = FormatText(LoadResString(IDS_AIR_LIST_BAD_FILE), {name, message});
        return false;
    }
    return true;
}

const std::vector<uint32_t>& CAirportList::Find(const std::string& ident) const
{
    static const std::vector<uint32_t> kNone;
    auto it = m_byIdent.find(Upper(Trim(ident)));
    return it == m_byIdent.end() ? kNone : it->second;
}

std::vector<std::string> SplitIdents(const std::string& text)
{
    std::vector<std::string> idents;
    std::string ident;
    auto flush = [&] {
        ident = Upper(ident);
        if (!ident.empty() && std::find(idents.begin(), idents.end(), ident) == idents.end())
            idents.push_back(ident);
        ident.clear();
    };
    for (char c : text) {
        if (IsWhiteSpace(c) || c == ',' || c == ';')
            flush();
        else
            ident += c;
    }
    flush();
    return idents;
}

CAirportLookup FindAirports(const CAirportList& list, const std::vector<std::string>& idents)
{
    CAirportLookup lookup;
    for (const std::string& ident : idents) {
        const std::vector<uint32_t>& rows = list.Find(ident);
        if (rows.empty())
            lookup.unknown.push_back(ident);
        lookup.rows.insert(lookup.rows.end(), rows.begin(), rows.end());
    }
    return lookup;
}

std::string GetDefaultAirportListPath()
{
    namespace fs = std::filesystem;
    std::vector<fs::path> dirs;
    if (const std::string env = GetEnvironmentText("PWR455_DATA_DIR"); !env.empty())
        dirs.push_back(fs::u8path(env));
    const std::string shipped = GetShippedDataFolder();
    if (!shipped.empty())
        dirs.push_back(fs::u8path(shipped) / "data");
    std::error_code ec;
#ifdef PWR_SOURCE_DATA_DIR
    dirs.emplace_back(PWR_SOURCE_DATA_DIR);
#endif
    for (const fs::path& dir : dirs) {
        const fs::path candidate = dir / kListFileName;
        if (fs::is_regular_file(candidate, ec))
            return candidate.lexically_normal().u8string();
    }
    return dirs.empty() ? std::string(kListFileName) : (dirs.back() / kListFileName).u8string();
}
