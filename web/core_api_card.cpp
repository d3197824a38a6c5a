// The page's door to the kneeboard card (File > Print... and Print Preview...): the card of the
// page's data set laid out by the core, the texts measured by the browser, for the page to draw
// as it is.

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include <emscripten.h>

#include "exchange/card_layout.h"
#include "exchange/kneeboard_card.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "web/json_text.h"
#include "web/web_document.h"

namespace {

// clang-format off
// How wide the browser sets `text` in the card's `face` at `size` (Module.cardTextWidth).
EM_JS(double, PageCardTextWidth, (int face, double size, const char* text), {
    return Module.cardTextWidth(face, size, UTF8ToString(text));
});
// clang-format on

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

std::string Array(std::initializer_list<std::string> items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ",") + item;
    return "[" + text + "]";
}

// The short name a command's tooltip ends with ("...\nPrint").
std::string CommandName(unsigned id)
{
    const std::string text = LoadResString(id);
    return text.substr(text.rfind('\n') + 1);
}

} // namespace

extern "C" {

// The card on paper `size` (ECardSize's order): its words for the dialog, the paper in points,
// where the A5 card goes on it, and the card's boxes and texts.
EMSCRIPTEN_KEEPALIVE const char* pwr_card(unsigned size)
{
    const ECardSize paper = size < std::size(kCardSizes) ? kCardSizes[size] : ECardSize::kA5;
    CWebDocument& doc = PageDocument();
    const CCardData card = BuildCardData(doc.Radio(), doc.Name(), CardDateToday());
    const CCardLayout layout =
        LayOutCard(card, [](ECardFace face, double points, const std::string& text) {
            return PageCardTextWidth(static_cast<int>(face), points, text.c_str());
        });
    double width = 0;
    double height = 0;
    GetCardPageSize(paper, &width, &height);
    const CCardPlacement place = PlaceCard(width, height);

    CJsonObject answer;
    answer.Add("name", card.fileName);
    answer.Add("print", CommandName(ID_FILE_PRINT));
    answer.Add("preview", CommandName(ID_FILE_PRINT_PREVIEW));
    answer.Add("paperLabel", LoadResString(IDS_CARD_PAPER_SIZE));
    std::vector<std::string> papers;
    for (ECardSize s : kCardSizes)
        papers.push_back(CardSizeName(s));
    answer.AddTexts("papers", papers);
    std::string boxes;
    for (const CCardBox& b : layout.boxes)
        boxes += (boxes.empty() ? "" : ",") + Array({Number(b.x), Number(b.y), Number(b.width),
                                                     Number(b.height), Number(b.grey)});
    std::string texts;
    for (const CCardText& t : layout.texts)
        texts += (texts.empty() ? "" : ",") +
                 Array({Number(t.x), Number(t.baseline), std::to_string(static_cast<int>(t.face)),
                        Number(t.size), Number(t.grey), CJsonObject::Quote(t.text)});
    const std::string numbers =
        ",\"page\":" + Array({Number(width), Number(height)}) +
        ",\"card\":" + Array({Number(layout.width), Number(layout.height)}) +
        ",\"place\":" + Array({Number(place.scale), Number(place.x), Number(place.y)}) +
        ",\"boxes\":[" + boxes + "],\"texts\":[" + texts + "]";
    std::string text = answer.Text();
    text.insert(text.size() - 1, numbers);
    return HandToPage(std::move(text));
}

} // extern "C"
