#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CR455Radio;

// Channel lists in the CSV layout of CHIRP, which many channel programmers exchange: a header
// row naming the columns (any order; columns not read are ignored), then one row per memory
// with its Location. What the transceiver cannot hold is left out row by row, each with its
// reason; anything that is not such a file stops the import as the own CSV import does.
//
// !!! The header row and the values written are a file format that other programs read. !!!
extern const char kChirpCsvHeader[];

// Whether the text (as DecodeCsvText takes it) starts with a header row of this layout: one that
// names at least the Location and Frequency columns, separated by ',', ';' or tabs.
bool IsChirpCsv(const std::string& bytes);

// Every channel in use, in channel order: Location the channel number, Frequency in MHz with six
// decimals (the carrier of an 8.33 kHz channel, cut to 10 Hz as the layout's readers check it),
// Duplex "off" for Tx inhibit, Mode AM, TStep 25.00 or 8.33, Skip "S" for lockout, the priority
// channel and the scan settings in Comment, the other columns with the neutral values the
// layout's readers require.
std::string ExportChannelsChirpCsv(const CR455Radio& radio);

// One row of a file that names a memory: where it goes, or why it is left out.
struct CChirpRow {
    unsigned line = 0;
    std::string location;
    std::string frequency;      // as the file writes it
    std::string name;           // as the file writes it
    unsigned channel = 0;       // 1 to 20; 0 for a row that is left out
    unsigned reasonId = 0;      // a row left out: a string resource that says why
    std::string frequencyToSet; // what the channel's FREQUENCY command gets
    bool txInhibit = false;
    bool lockout = false;
};

struct CChirpImportPlan {
    std::vector<CChirpRow> rows; // in file order
    unsigned Placed() const;
};

// Plans the import of `bytes` into `radio` (changes nothing): each row into the channel of its
// Location, or with `fillFrom` (1 to 20) into channel `fillFrom` and those after it, in file
// order. A row is left out for a mode other than AM, a transmit offset or split (Duplex "+",
// "-", "split"), a frequency outside the band, an 8.33 kHz channel under 25 kHz spacing, or a
// Location (or, filling in order, a row) with no channel for it. A TStep of 8.33 takes a
// frequency on neither grid as the 8.33 kHz channel of the nearest carrier. Returns false with
// a message naming the line and the field for a file that is not of this layout or holds a bad
// value (a Location, Frequency or Duplex that is no such value, a Location given twice, a name
// character the display cannot spell).
bool PlanChirpImport(const CR455Radio& radio, const std::string& bytes, unsigned fillFrom,
                     CChirpImportPlan& plan, std::string* error);

// Sets the planned channels as the Edit Memory dialog does, then heals. `notes` receives the
// notes of Edit Memory for each frequency or name that the engine stored otherwise than the
// file wrote it.
void ApplyChirpImport(CR455Radio& radio, const CChirpImportPlan& plan,
                      std::vector<std::string>* notes = nullptr);

// How many rows became channels and how many were left out, then one line per reason with the
// lines of the rows left out for it.
std::string SummarizeChirpImport(const CChirpImportPlan& plan);
