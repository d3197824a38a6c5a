#include "app/channel_import_export.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/app_resources.h"
#include "app/chirp_import_dlg.h"
#include "app/command_ids.h"
#include "app/doc_manager.h"
#include "app/main_window.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "app/undo_commands.h"
#include "platform/file_io.h"
#include "radio/atomic_save.h"
#include "exchange/channel_csv.h"
#include "exchange/channel_exchange.h"
#include "exchange/chirp_csv.h"
#include "radio/document_io.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "radio/undo_history.h"

namespace {

void ShowError(const wxString& text, wxWindow* parent)
{
    wxMessageBox(text, ResString(IDS_APP_TITLE), wxOK | wxICON_EXCLAMATION, parent);
}

wxString CsvWildcard()
{
    return ResString(IDS_CSV_FILE_TYPES) + "|*.csv;*.CSV|" + ResString(IDS_APP_ALL_FILES) + "|*";
}

// Export offers both layouts, in the order of EChannelCsvLayout.
wxString ExportWildcard()
{
    return ResString(IDS_CSV_FILE_TYPES) + "|*.csv;*.CSV|" + ResString(IDS_CHIRP_FILE_TYPES) +
           "|*.csv;*.CSV";
}

// Shows what an import step says: a failure in a warning box, the notes in the status bar, a
// summary in a message box.
bool ShowOutcome(CPWR455Doc& doc, const CExchangeOutcome& outcome, wxWindow* parent)
{
    if (!outcome.failure.empty()) {
        ShowError(wxString::FromUTF8(outcome.failure), parent);
        return false;
    }
    doc.Modify(true);
    doc.UpdateAllViews();
    if (!outcome.status.empty())
        ShowStatusText(outcome.status);
    if (!outcome.summary.empty())
        wxMessageBox(wxString::FromUTF8(outcome.summary), ResString(IDS_APP_TITLE),
                     wxOK | wxICON_INFORMATION, parent);
    return true;
}

// The rows of a file in CHIRP's layout that the transceiver can hold, where the dialog puts
// them; the summary says what became of every row.
bool ImportChirpChannels(CPWR455Doc& doc, const wxString& path, const std::string& text,
                         wxWindow* parent)
{
    const std::string refusal = CheckChirpImport(*doc.GetRadioData(), path.utf8_string(), text);
    if (!refusal.empty()) {
        ShowError(wxString::FromUTF8(refusal), parent);
        return false;
    }
    CChirpImportDlg dialog(parent, doc.GetRadioData(), text, CPWR455View::GetSelectedChannel(doc));
    if (dialog.ShowModal() != wxID_OK)
        return false;
    CExchangeOutcome outcome;
    {
        wxBusyCursor wait;
        outcome = ApplyChirpImportStep(*doc.GetRadioData(), doc.GetHistory(), path.utf8_string(),
                                       dialog.GetPlan());
    }
    return ShowOutcome(doc, outcome, parent);
}

CPWR455Doc* Document()
{
    return GetOpenDocument();
}

void OnImportChannels(wxFrame* frame)
{
    CPWR455Doc* doc = Document();
    if (!doc)
        return;
    wxFileDialog dialog(frame, ResString(IDS_CSV_IMPORT_TITLE), wxString(), wxString(),
                        CsvWildcard(), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    ImportChannelsFromFile(*doc, dialog.GetPath(), frame);
}

void OnExportChannels(wxFrame* frame)
{
    CPWR455Doc* doc = Document();
    if (!doc)
        return;
    // Offer the document's name with the CSV extension.
    wxFileName suggested(doc->GetFilename());
    wxString name = suggested.GetName();
    if (name.empty())
        name = doc->GetUserReadableName();
    wxFileDialog dialog(frame, ResString(IDS_CSV_EXPORT_TITLE), suggested.GetPath(), name + ".csv",
                        ExportWildcard(), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return;
    ExportChannelsToFile(*doc, dialog.GetPath(), frame,
                         static_cast<EChannelCsvLayout>(dialog.GetFilterIndex()));
}

} // namespace

bool ImportChannelsFromFile(CPWR455Doc& doc, const wxString& path, wxWindow* parent)
{
    std::string text;
    std::string reason = ResString(IDS_OPEN_CANNOT_READ).utf8_string();
    const EFileError failure = ReadCsvFile(path.utf8_string(), text, &reason);
    switch (failure) {
    case EFileError::None:
        break;
    case EFileError::NotRegular:
        ShowError(wxString::Format(ResString(IDS_APP_CANNOT_OPEN), path,
                                   ResString(IDS_OPEN_NOT_REGULAR)),
                  parent);
        return false;
    case EFileError::TooLarge:
    default:
        ShowError(wxString::FromUTF8(DescribeCsvReadFailure(
                      path.utf8_string(), failure == EFileError::TooLarge, reason)),
                  parent);
        return false;
    }
    if (IsChirpCsv(text))
        return ImportChirpChannels(doc, path, text, parent);
    CExchangeOutcome outcome;
    {
        wxBusyCursor wait;
        outcome = ImportChannelsStep(*doc.GetRadioData(), doc.GetHistory(), path.utf8_string(),
                                     text);
    }
    return ShowOutcome(doc, outcome, parent);
}

bool ExportChannelsToFile(CPWR455Doc& doc, const wxString& path, wxWindow* parent,
                          EChannelCsvLayout layout)
{
    std::string error;
    const bool saved = doc.WriteExport(
        path,
        [&](std::string& reason) {
            const CR455Radio& radio = *doc.GetRadioData();
            const std::string csv = layout == EChannelCsvLayout::kChirp
                                        ? ExportChannelsChirpCsv(radio)
                                        : ExportChannelsCsv(radio);
            return SaveAtomically(
                path.utf8_string(), [&](std::ostream& out) { out << csv; }, &reason);
        },
        error);
    if (!saved)
        ShowError(wxString::FromUTF8(DescribeExportFailure(path.utf8_string(), error)), parent);
    return saved;
}

void BindChannelImportExport(wxFrame* frame)
{
    frame->Bind(
        wxEVT_MENU, [frame](wxCommandEvent&) { OnImportChannels(frame); },
        CmdId(ID_FILE_IMPORT_CHANNELS));
    frame->Bind(
        wxEVT_MENU, [frame](wxCommandEvent&) { OnExportChannels(frame); },
        CmdId(ID_FILE_EXPORT_CHANNELS));
}
