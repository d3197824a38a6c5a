#pragma once

#include <string>

#include "cli/cli_command.h"

class CR455Radio;

// Document open and save for the tool's commands, each failure reported on io.err with the
// file's name: "pwr455-cli: 'path': REASON" for an open (the load result word), the reason of a
// failed save. An open starts from a new data set.
void ReportFileError(CCliIo& io, const std::string& path, const std::string& reason);
// Always false, so that a check can end with it.
bool ReportCannotSave(CCliIo& io, const std::string& path, const std::string& reason);
bool OpenDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io);
bool SaveDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io);
