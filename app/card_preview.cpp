#include "app/card_preview.h"

#include <cmath>
#include <utility>

#include <wx/dcscreen.h>
#include <wx/paper.h>

#include "app/card_printout.h"

namespace {

// Sharp enough at every zoom level of the preview, and a few megabytes for the page's picture.
constexpr int kDotsPerInch = 150;
constexpr double kMillimetresPerInch = 25.4;

// The paper's size in millimetres, upright or turned as the print settings say.
wxSize PaperMillimetres(const wxPrintData& data)
{
    wxSize tenths;
    if (const wxPrintPaperType* paper = wxThePrintPaperDatabase->FindPaperType(data.GetPaperId()))
        tenths = paper->GetSize();
    else if (data.GetPaperSize().x > 0 && data.GetPaperSize().y > 0)
        tenths = data.GetPaperSize() * 10;
    else
        tenths = wxThePrintPaperDatabase->FindPaperType(wxPAPER_A5)->GetSize();
    wxSize millimetres(tenths.x / 10, tenths.y / 10);
    if (data.GetOrientation() == wxLANDSCAPE)
        millimetres = wxSize(millimetres.y, millimetres.x);
    return millimetres;
}

int Dots(int millimetres)
{
    return static_cast<int>(std::lround(millimetres / kMillimetresPerInch * kDotsPerInch));
}

} // namespace

CCardPreview::CCardPreview(const CCardData& card, wxPrintDialogData* data, PrintFunction print)
    : wxPrintPreviewBase(new CCardPrintout(card), new CCardPrintout(card), data),
      m_print(std::move(print))
{
    DetermineScaling();
}

bool CCardPreview::Print(bool)
{
    m_print(m_previewFrame);
    return true;
}

void CCardPreview::DetermineScaling()
{
    const wxSize millimetres = PaperMillimetres(m_printDialogData.GetPrintData());
    const wxSize screenPpi = wxScreenDC().GetPPI();
    m_pageWidth = Dots(millimetres.x);
    m_pageHeight = Dots(millimetres.y);
    m_previewPrintout->SetPPIScreen(screenPpi.x, screenPpi.y);
    m_previewPrintout->SetPPIPrinter(kDotsPerInch, kDotsPerInch);
    m_previewPrintout->SetPageSizeMM(millimetres.x, millimetres.y);
    m_previewPrintout->SetPageSizePixels(m_pageWidth, m_pageHeight);
    m_previewPrintout->SetPaperRectPixels(wxRect(0, 0, m_pageWidth, m_pageHeight));
    // At 100 % the paper shows at its real size.
    m_previewScaleX = static_cast<float>(screenPpi.x) / kDotsPerInch;
    m_previewScaleY = static_cast<float>(screenPpi.y) / kDotsPerInch;
}
