#include "app/card_printing.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/utils.h>

#include "app/app_resources.h"
#include "app/card_preview.h"
#include "app/card_printout.h"
#include "app/command_ids.h"
#include "app/doc_manager.h"
#include "app/engine_text.h"
#include "app/main_window.h"
#include "app/printer_presence.h"
#include "app/pwr455_doc.h"
#include "app/undo_commands.h"
#include "card/card_renderer.h"
#include "platform/file_io.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The paper and printer chosen last, kept for the session. Never destroyed: it holds toolkit
// print settings, which must not be released after the toolkit has shut down at exit.
wxPrintDialogData& PrintSetup()
{
    static wxPrintDialogData* setup = [] {
        wxPrintData data;
        data.SetPaperId(wxPAPER_A5);
        return new wxPrintDialogData(data);
    }();
    return *setup;
}

// The exported card's paper: the one chosen for printing where the card has that size.
ECardSize ChosenCardSize()
{
    switch (PrintSetup().GetPrintData().GetPaperId()) {
    case wxPAPER_A4:
        return ECardSize::kA4;
    case wxPAPER_LETTER:
        return ECardSize::kLetter;
    default:
        return ECardSize::kA5;
    }
}

void ShowPrintFailure(unsigned reasonId, wxWindow* parent)
{
    wxMessageBox(wxString::Format(ResString(IDS_CARD_PRINT_FAILED), ResString(reasonId)),
                 ResString(IDS_APP_TITLE), wxOK | wxICON_EXCLAMATION, parent);
}

void PrintCard(const CCardData& card, wxWindow* parent)
{
    if (!HasPrinter()) {
        ShowPrintFailure(IDS_CARD_NO_PRINTER, parent);
        return;
    }
    wxPrinter printer(&PrintSetup());
    CCardPrintout printout(card);
    if (printer.Print(parent, &printout, true))
        PrintSetup() = printer.GetPrintDialogData();
    else if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        ShowPrintFailure(IDS_CARD_PRINTER_ERROR, parent);
}

void OnPrint(wxFrame* frame)
{
    if (CPWR455Doc* doc = GetOpenDocument())
        PrintCard(BuildDocumentCard(*doc), frame);
}

void OnPrintPreview(wxFrame* frame)
{
    CPWR455Doc* doc = GetOpenDocument();
    if (!doc)
        return;
    const CCardData card = BuildDocumentCard(*doc);
    wxPrintPreviewBase* preview = new wxPrintPreview(new CCardPrintout(card),
                                                     new CCardPrintout(card), &PrintSetup());
    if (!preview->IsOk()) {
        // The toolkit lays its preview out for a printer (on Windows it needs one); the
        // card's own preview needs none.
        delete preview;
        preview = new CCardPreview(card, &PrintSetup(),
                                   [card](wxWindow* parent) { PrintCard(card, parent); });
    }
    auto* previewFrame = new wxPreviewFrame(preview, frame,
                                            GetCommandTooltip(ID_FILE_PRINT_PREVIEW));
    previewFrame->Initialize();
    previewFrame->Show();
}

// The PDF file chosen, or empty when the user cancelled. A name typed without extension
// gets ".pdf".
wxString AskCardPath(CPWR455Doc& doc, wxWindow* parent)
{
    // Offer the document's name and folder.
    const wxFileName document(doc.GetFilename());
    wxString name = document.GetName();
    if (name.empty())
        name = doc.GetUserReadableName();
    wxFileDialog dialog(parent, ResString(IDS_CARD_EXPORT_TITLE), document.GetPath(), name + ".pdf",
                        ResString(IDS_CARD_FILE_TYPES) + "|*.pdf;*.PDF|" +
                            ResString(IDS_APP_ALL_FILES) + "|*",
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return wxString();
    wxFileName chosen(dialog.GetPath());
    if (!chosen.HasExt())
        chosen.SetExt("pdf");
    return chosen.GetFullPath();
}

void OnExportCard(wxFrame* frame)
{
    CPWR455Doc* doc = GetOpenDocument();
    if (!doc)
        return;
    const wxString path = AskCardPath(*doc, frame);
    if (!path.empty())
        ExportCardToFile(*doc, path, frame);
}

} // namespace

CCardData BuildDocumentCard(CPWR455Doc& doc)
{
    wxString name = wxFileName(doc.GetFilename()).GetFullName();
    if (name.empty())
        name = doc.GetUserReadableName();
    return BuildCardData(*doc.GetRadioData(), ToEngine(name), CardDateToday());
}

bool ExportCardToFile(CPWR455Doc& doc, const wxString& path, wxWindow* parent)
{
    std::string error;
    const bool saved = doc.WriteExport(
        path,
        [&](std::string& reason) {
            return WriteCardPdf(BuildDocumentCard(doc), ChosenCardSize(), path.utf8_string(),
                                &reason);
        },
        error);
    if (saved)
        ShowStatusText(FormatText(LoadResString(IDS_CARD_EXPORTED), {path.utf8_string()}));
    else
        wxMessageBox(wxString::Format(ResString(IDS_CARD_CANNOT_EXPORT), path,
                                      wxString::FromUTF8(error)),
                     ResString(IDS_APP_TITLE), wxOK | wxICON_EXCLAMATION, parent);
    return saved;
}

void BindCardPrinting(wxFrame* frame)
{
    frame->Bind(
        wxEVT_MENU, [frame](wxCommandEvent&) { OnPrint(frame); }, CmdId(ID_FILE_PRINT));
    frame->Bind(
        wxEVT_MENU, [frame](wxCommandEvent&) { OnPrintPreview(frame); },
        CmdId(ID_FILE_PRINT_PREVIEW));
    frame->Bind(
        wxEVT_MENU, [frame](wxCommandEvent&) { OnExportCard(frame); }, CmdId(ID_FILE_EXPORT_CARD));
}
