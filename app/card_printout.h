#pragma once

// The kneeboard card as a one-page printout, drawn by the same cairo renderer that writes the
// card as PDF for pwr455-cli.

#include <wx/print.h>

#include "exchange/kneeboard_card.h"

class CCardPrintout : public wxPrintout {
public:
    explicit CCardPrintout(const CCardData& card);

    bool OnPrintPage(int page) override;
    bool HasPage(int page) override { return page == 1; }
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;

private:
    CCardData m_card;
};
