#include "exchange/chirp_csv.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "engine/command_string.h"
#include "engine/frequency_band.h"
#include "radio/air_channel.h"
#include "radio/channel_edits.h"
#include "exchange/channel_csv.h"
#include "exchange/csv_fields.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "exchange/text_encoding.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

const char kChirpCsvHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

namespace {

// The columns read; the others are ignored.
enum EColumn { kLocation, kName, kFrequency, kDuplex, kMode, kTStep, kSkip, kColumnCount };
const char* const kColumnNames[kColumnCount] = {"Location", "Name",  "Frequency", "Duplex",
                                                "Mode",     "TStep", "Skip"};
constexpr size_t kNotGiven = static_cast<size_t>(-1);

constexpr uint32_t kStep25 = 25000;

// Where each column read stands in the file's rows.
struct CColumns {
    size_t index[kColumnCount];
    std::vector<std::string> header;

    bool Has(EColumn column) const { return index[column] != kNotGiven; }
    std::string Field(const CCsvRecord& record, EColumn column) const
    {
        return Has(column) ? Trim(record.fields[index[column]]) : std::string();
    }
    std::string Name(size_t i) const
    {
        return i < header.size() ? header[i] : std::to_string(i + 1);
    }
};

CColumns FindColumns(const CCsvRecord& record)
{
    CColumns columns;
    for (size_t column = 0; column < kColumnCount; ++column) {
        columns.index[column] = kNotGiven;
        for (size_t i = 0; i < record.fields.size(); ++i) {
            if (EqualsNoCase(Trim(record.fields[i]), kColumnNames[column])) {
                columns.index[column] = i;
                break;
            }
        }
    }
    for (const std::string& field : record.fields)
        columns.header.push_back(Trim(field));
    return columns;
}

bool IsChirpHeader(const CCsvRecord& record)
{
    const CColumns columns = FindColumns(record);
    return columns.Has(kLocation) && columns.Has(kFrequency);
}

// ---- writing ----

// A frequency in MHz with six decimals, as the layout writes it.
std::string SixDecimals(uint32_t hertz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u.%06u", hertz / 1000000, hertz % 1000000);
    return text;
}

// The layout's readers check an 8.33 kHz carrier as 8330 or 16660 Hz past a 25 kHz step.
uint32_t ExchangedCarrier(uint32_t channelHz)
{
    const uint32_t carrier = GetCarrier(channelHz);
    return carrier - carrier % 10;
}

uint32_t ChannelHz(const CR455Radio& radio, unsigned ch)
{
    uint32_t hertz = 0;
    ParseListedFrequency(radio.GetChFrequency(ch), &hertz);
    return hertz;
}

// What the transceiver does beyond the columns, in the engine's words so that any reader of
// the file sees the same text.
std::string ChannelComment(const CR455Radio& radio, unsigned ch, bool first)
{
    std::vector<std::string> parts;
    if (radio.GetScanPrio() == "ON" && Trim(radio.GetPrioCh()) == std::to_string(ch))
        parts.push_back("Priority channel");
    if (first)
        parts.push_back("Scan function " + radio.GetScanFunction() + ", scan mode " +
                        radio.GetScanMode() + ", hanger scan " + radio.GetScanHanger() +
                        ", priority scan " + radio.GetScanPrio());
    std::string comment;
    for (const std::string& part : parts)
        comment += (comment.empty() ? "" : "; ") + part;
    return comment;
}

std::string ExportRow(const CR455Radio& radio, unsigned ch, bool first)
{
    const uint32_t hertz = ChannelHz(radio, ch);
    const bool narrow = GetChannelKind(hertz) == EChannelKind::k833kHz;
    const std::string fields[] = {
        std::to_string(ch),
        radio.GetChName(ch),
        SixDecimals(narrow ? ExchangedCarrier(hertz) : hertz),
        radio.GetChTxInhibit(ch) == "ON" ? "off" : "",
        "0.000000", // Offset
        "",         // Tone
        "88.5",     // rToneFreq
        "88.5",     // cToneFreq
        "023",      // DtcsCode
        "NN",       // DtcsPolarity
        "023",      // RxDtcsCode
        "Tone->Tone",
        "AM",
        narrow ? "8.33" : "25.00",
        radio.GetChLockout(ch) == "ON" ? "S" : "",
        "", // Power: the transceiver's own
        ChannelComment(radio, ch, first),
        "",
        "",
        "",
        "", // URCALL, RPT1CALL, RPT2CALL, DVCODE
    };
    std::string row;
    for (const std::string& field : fields)
        row += (row.empty() ? "" : ",") + QuotedCsvField(field);
    return row + "\r\n";
}

// ---- reading ----

// Whole numbers of a memory location: CHIRP numbers them from 0, some radios in the thousands.
bool ParseLocation(const std::string& text, unsigned long* location)
{
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *location = std::stoul(text);
    return true;
}

bool IsNarrowStep(const std::string& tstep)
{
    return WithDecimalPoint(tstep) == "8.33";
}

// The 8.33 kHz channel whose carrier lies nearest to `hertz`.
uint32_t NearestNarrowChannel(uint32_t hertz)
{
    const uint32_t base = hertz - hertz % kStep25;
    const uint32_t third = ((hertz - base) * 3 + kStep25 / 2) / kStep25; // 0 to 3
    return ChannelOfCarrier(base + (third * kStep25 + 1) / 3);
}

struct CRowReader {
    const CR455Radio& radio;
    CColumns columns;
    unsigned fillFrom;
    unsigned nextChannel;
    std::set<unsigned long> locations;
};

// Why the transceiver cannot hold the row, 0 when it can; sets what the channel gets.
unsigned CheckHoldable(const CRowReader& reader, const CCsvRecord& record, uint32_t hertz,
                       CChirpRow& row)
{
    const std::string mode = reader.columns.Field(record, kMode);
    if (!mode.empty() && !EqualsNoCase(mode, "AM"))
        return IDS_CHIRP_SKIP_MODE;
    const std::string duplex = Lower(reader.columns.Field(record, kDuplex));
    if (duplex == "+" || duplex == "-" || duplex == "split")
        return IDS_CHIRP_SKIP_DUPLEX;
    row.txInhibit = duplex == "off";
    row.lockout = EqualsNoCase(reader.columns.Field(record, kSkip), "S");
    if (hertz < CFrequencyBand::kLowest || hertz > CFrequencyBand::kHighest)
        return IDS_AIR_OUTSIDE_BAND;
    if (GetChannelKind(hertz) == EChannelKind::kOffGrid &&
        IsNarrowStep(reader.columns.Field(record, kTStep)))
        hertz = NearestNarrowChannel(hertz);
    if (GetChannelKind(hertz) == EChannelKind::k833kHz &&
        GetChannelGrid(reader.radio) == EChannelGrid::k25kHz)
        return IDS_AIR_NEEDS_833;
    // A frequency on neither grid goes to the engine as written, which snaps it (with a note).
    row.frequencyToSet = GetChannelKind(hertz) == EChannelKind::kOffGrid
                             ? WithDecimalPoint(row.frequency)
                             : FormatChannelMHz(hertz);
    return 0;
}

// Checks the values of one row; false for a bad one.
bool CheckValues(CRowReader& reader, const CCsvRecord& record, CChirpRow& row, uint32_t& hertz,
                 CCsvImportError& error)
{
    const CColumns& columns = reader.columns;
    const auto column = [&](EColumn c) { return columns.header[columns.index[c]]; };
    if (record.fields.size() < columns.header.size()) {
        error = {IDS_CHIRP_FIELD_COUNT,
                 record.line,
                 {std::to_string(record.fields.size()), std::to_string(columns.header.size())}};
        return false;
    }
    row.line = record.line;
    row.location = columns.Field(record, kLocation);
    row.frequency = columns.Field(record, kFrequency);
    row.name = UnwrappedName(columns.Field(record, kName));
    unsigned long location = 0;
    if (!reader.fillFrom) {
        if (!ParseLocation(row.location, &location)) {
            error = {IDS_CHIRP_BAD_LOCATION,
                     record.line,
                     {column(kLocation), ShownText(row.location)}};
            return false;
        }
        if (!reader.locations.insert(location).second) {
            error = {IDS_CSV_DUPLICATE_CHANNEL, record.line, {column(kLocation), row.location}};
            return false;
        }
    }
    if (!ParseListedFrequency(WithDecimalPoint(row.frequency), &hertz)) {
        error = {IDS_CSV_BAD_FREQUENCY,
                 record.line,
                 {column(kFrequency), ShownText(row.frequency)}};
        return false;
    }
    const std::string duplex = Lower(columns.Field(record, kDuplex));
    if (!duplex.empty() && duplex != "+" && duplex != "-" && duplex != "split" && duplex != "off") {
        error = {IDS_CHIRP_BAD_DUPLEX, record.line, {column(kDuplex), ShownText(duplex)}};
        return false;
    }
    return columns.Has(kName) ? CheckNameCharacters(row.name, record.line, column(kName), error)
                              : true;
}

bool ReadRow(CRowReader& reader, const CCsvRecord& record, CChirpRow& row, CCsvImportError& error)
{
    uint32_t hertz = 0;
    if (!CheckValues(reader, record, row, hertz, error))
        return false;
    row.reasonId = CheckHoldable(reader, record, hertz, row);
    if (row.reasonId)
        return true;
    if (!reader.fillFrom) {
        const unsigned long location = std::stoul(row.location);
        if (location >= 1 && location <= CR455Radio::kChannelCount)
            row.channel = static_cast<unsigned>(location);
        else
            row.reasonId = IDS_CHIRP_SKIP_LOCATION;
    } else if (reader.nextChannel <= CR455Radio::kChannelCount) {
        row.channel = reader.nextChannel++;
    } else {
        row.reasonId = IDS_CHIRP_SKIP_NO_ROOM;
    }
    return true;
}

bool ParseFile(const CR455Radio& radio, const std::string& text, unsigned fillFrom,
               CChirpImportPlan& plan, CCsvImportError& error)
{
    CRowReader rows{radio, {}, fillFrom, fillFrom, {}};
    return ReadHeaderAndRows(
        text, HeaderSeparator(text, IsChirpHeader), IsChirpHeader, kChirpCsvHeader,
        [&](size_t i) { return rows.columns.Name(i); },
        [&](const CCsvRecord& header) { rows.columns = FindColumns(header); },
        [&](const CCsvRecord& record) {
            CChirpRow row;
            if (!ReadRow(rows, record, row, error))
                return false;
            plan.rows.push_back(row);
            return true;
        },
        error);
}

// "4, 7, 9", at most a few, then an ellipsis.
std::string LineList(const std::vector<unsigned>& lines)
{
    constexpr size_t kShown = 10;
    std::string text;
    for (size_t i = 0; i < lines.size() && i < kShown; ++i)
        text += (i ? ", " : "") + std::to_string(lines[i]);
    return lines.size() > kShown ? text + ", \xE2\x80\xA6" : text;
}

} // namespace

bool IsChirpCsv(const std::string& bytes)
{
    std::string text;
    CCsvImportError ignored;
    if (!DecodeCsvImportText(bytes, text, ignored))
        return false;
    CCsvReader reader(text, HeaderSeparator(text, IsChirpHeader));
    CCsvRecord record;
    CCsvError error;
    while (!reader.AtEnd() && reader.Next(record, error)) {
        if (!IsBlankCsvRecord(record))
            return IsChirpHeader(record);
    }
    return false;
}

std::string ExportChannelsChirpCsv(const CR455Radio& radio)
{
    std::string out = std::string(kChirpCsvHeader) + "\r\n";
    bool first = true;
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        if (radio.GetChAppear(ch) == "OFF")
            continue;
        out += ExportRow(radio, ch, first);
        first = false;
    }
    return out;
}

unsigned CChirpImportPlan::Placed() const
{
    return static_cast<unsigned>(
        std::count_if(rows.begin(), rows.end(), [](const CChirpRow& r) { return r.channel != 0; }));
}

bool PlanChirpImport(const CR455Radio& radio, const std::string& bytes, unsigned fillFrom,
                     CChirpImportPlan& plan, std::string* error)
{
    plan = {};
    std::string text;
    CCsvImportError csvError;
    if (!DecodeCsvImportText(bytes, text, csvError) ||
        !ParseFile(radio, text, std::min(fillFrom, CR455Radio::kChannelCount + 1), plan,
                   csvError)) {
        plan = {};
        if (error)
            *error = CsvImportMessage(csvError);
        return false;
    }
    return true;
}

void ApplyChirpImport(CR455Radio& radio, const CChirpImportPlan& plan,
                      std::vector<std::string>* notes)
{
    CChannelEdits edits(radio);
    for (const CChirpRow& row : plan.rows) {
        if (row.channel)
            edits.SetInUse(row.channel, {row.name, row.txInhibit, row.lockout, row.frequencyToSet});
    }
    radio.Heal();
    if (!notes)
        return;
    for (const CChirpRow& row : plan.rows) {
        if (!row.channel)
            continue;
        CChannelEntry entry{row.channel, true, row.frequencyToSet, true, row.name};
        for (const std::string& note : ExplainChannelEntry(radio, entry))
            notes->push_back(note);
    }
}

std::string SummarizeChirpImport(const CChirpImportPlan& plan)
{
    const unsigned placed = plan.Placed();
    std::map<unsigned, std::vector<unsigned>> skipped; // lines by reason
    for (const CChirpRow& row : plan.rows) {
        if (!row.channel)
            skipped[row.reasonId].push_back(row.line);
    }
    std::string text =
        FormatText(LoadResString(IDS_CHIRP_SUMMARY),
                   {std::to_string(placed), std::to_string(plan.rows.size() - placed)});
    for (const auto& [reasonId, lines] : skipped)
        text += "\n" + FormatText(LoadResString(lines.size() == 1 ? IDS_CHIRP_SKIPPED_LINE
                                                                  : IDS_CHIRP_SKIPPED_LINES),
                                  {LoadResString(reasonId), LineList(lines)});
    return text;
}
