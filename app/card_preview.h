#pragma once

// A print preview of the kneeboard card that needs no printer: the page is laid out for the
// paper of the print settings alone, at a resolution of its own. It stands in where the
// toolkit cannot make its preview (Windows without a printer).

#include <functional>

#include <wx/print.h>

#include "exchange/kneeboard_card.h"

class CCardPreview : public wxPrintPreviewBase {
public:
    // `print` prints the card when the preview's Print button is pressed; it gets the preview's
    // window as the parent of what it shows.
    using PrintFunction = std::function<void(wxWindow* parent)>;
    CCardPreview(const CCardData& card, wxPrintDialogData* data, PrintFunction print);

    bool Print(bool interactive) override;
    void DetermineScaling() override;

private:
    PrintFunction m_print;
};
