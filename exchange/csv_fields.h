#pragma once

#include <functional>
#include <string>
#include <vector>

#include "exchange/csv_reader.h"

// What the channel CSV layouts share: writing fields, reading them as spreadsheets leave them,
// and the messages that name a bad line.

// Why an import stops: a string resource taking %1 the line and the arguments after it.
struct CCsvImportError {
    unsigned messageId = 0;
    unsigned line = 0;
    std::vector<std::string> args; // after the line number
};

std::string CsvImportMessage(const CCsvImportError& error);

// The file's bytes as UTF-8 text (DecodeCsvText); `error` names the reason when they are not.
bool DecodeCsvImportText(const std::string& bytes, std::string& text, CCsvImportError& error);

// The name of a column by its index, for messages.
using CColumnName = std::function<std::string(size_t)>;

// The next record of `reader`; a malformed one sets `error` naming the line and the field.
bool NextCsvRecord(CCsvReader& reader, CCsvRecord& record, const CColumnName& columnName,
                   CCsvImportError& error);

bool CheckNoNulByte(const CCsvRecord& record, const CColumnName& columnName,
                    CCsvImportError& error);

// The next record that is not blank, checked for NUL bytes: kError with `error` set for a
// malformed one, kEnd after the last.
enum class ECsvRead { kRecord, kEnd, kError };
ECsvRead NextFilledRecord(CCsvReader& reader, CCsvRecord& record, const CColumnName& columnName,
                          CCsvImportError& error);

// Reads a header row, then the data rows, fields split at `separator`: the first non-blank
// record must pass `isHeader` (else the "header is missing" error naming `headerText`) and goes to
// `onHeader`; each later one goes to `onRow`, which sets `error` when it returns false. A file
// without a record is an error too.
bool ReadHeaderAndRows(const std::string& text, char separator,
                       const std::function<bool(const CCsvRecord&)>& isHeader,
                       const char* headerText, const CColumnName& columnName,
                       const std::function<void(const CCsvRecord&)>& onHeader,
                       const std::function<bool(const CCsvRecord&)>& onRow, CCsvImportError& error);

// The separator (',', ';' or a tab) with which the first non-blank record passes `isHeader`;
// ',' when none does, so that the reader reports what it finds there.
char HeaderSeparator(const std::string& text,
                     const std::function<bool(const CCsvRecord&)>& isHeader);

// `text` between double quotes with each quote in it doubled, as CSV fields and the texts of
// spreadsheet formulas both escape them.
std::string InQuotes(const std::string& text);
// A field as CSV writes it: quoted when it holds a separator, a quote, a line end or white space
// at either end.
std::string QuotedCsvField(const std::string& field);


// The name inside the formula ="NAME" that a spreadsheet keeps text in; any other field as it is.
std::string UnwrappedName(const std::string& field);

// Names are spelled with the display's letters when they are set ("Ørsta" becomes ORSTA). A
// character beyond ASCII with no such spelling (an emoji, a Greek letter) stops the import:
// a whole file of names would otherwise lose letters to blanks unseen.
bool CheckNameCharacters(const std::string& name, unsigned line, const std::string& column,
                         CCsvImportError& error);
