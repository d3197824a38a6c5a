#include "app/xrc_util.h"

#include <algorithm>
#include <vector>

#include <wx/control.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/app_resources.h"
#include "language/program_language.h"

namespace {

void CheckLoaded(bool loaded, const char* name)
{
    if (!loaded)
        ReportXrcFault(std::string("XRC resource \"") + name + "\" missing");
}

} // namespace

void ReportXrcFault(const std::string& fault)
{
    wxFAIL_MSG(wxString::FromUTF8(fault));
    throw std::logic_error(fault);
}

void LoadXrcDialog(wxDialog& dialog, wxWindow* parent, const char* name)
{
    InitAppResources();
    CheckLoaded(wxXmlResource::Get()->LoadDialog(&dialog, parent, name), name);
    // Without its own icon a dialog shows the system's default one (Windows).
    dialog.SetIcons(GetProgramIcons());
}

void LoadXrcPanel(wxPanel& panel, wxWindow* parent, const char* name,
                  std::initializer_list<CXrcLabel> labels)
{
    InitAppResources();
    CheckLoaded(wxXmlResource::Get()->LoadPanel(&panel, parent, name), name);
    for (const CXrcLabel& label : labels) {
        auto* control = XrcCtrl<wxControl>(panel, label.control);
        // A static text fits itself to a new label; it keeps the layout's size, as it would
        // have with the label in the layout.
        const wxSize size = control->GetSize();
        control->SetLabel(ResString(label.textId));
        control->SetSize(size);
    }
    // The page's dialog units may come from a smaller font than the one its labels show in
    // (Windows): a label is never lower than its text, descenders included.
    for (wxWindow* child : panel.GetChildren()) {
        if (auto* label = dynamic_cast<wxStaticText*>(child)) {
            const wxSize size = label->GetSize();
            label->SetSize(size.x, std::max(size.y, label->GetBestSize().y));
        }
    }
    WidenForTranslation(panel);
}

namespace {

int RightmostEdge(const std::vector<wxWindow*>& windows)
{
    int right = 0;
    for (const wxWindow* w : windows)
        right = std::max(right, w->GetRect().GetRight() + 1);
    return right;
}

} // namespace

void WidenForTranslation(wxWindow& parent)
{
    if (LanguageInUse() == "en")
        return;
    // Left to right, so that a control is measured after those before it have moved it.
    std::vector<wxWindow*> children(parent.GetChildren().begin(), parent.GetChildren().end());
    std::stable_sort(children.begin(), children.end(), [](wxWindow* a, wxWindow* b) {
        return a->GetPosition().x < b->GetPosition().x;
    });
    const int margin = std::max(0, parent.GetClientSize().x - RightmostEdge(children));
    std::vector<wxRect> before;
    for (const wxWindow* child : children)
        before.push_back(child->GetRect());
    for (wxWindow* child : children) {
        const int more = child->GetBestSize().x - child->GetSize().x;
        if (more <= 0 || dynamic_cast<wxTextCtrl*>(child) || dynamic_cast<wxStaticBox*>(child))
            continue;
        const wxRect old = child->GetRect();
        child->SetSize(old.width + more, old.height);
        for (wxWindow* other : children) {
            if (other != child && other->GetPosition().x > old.GetRight())
                other->Move(other->GetPosition().x + more, other->GetPosition().y);
        }
    }
    // A group box takes in the controls that were in it, with the room it had on their right.
    for (size_t b = 0; b < children.size(); ++b) {
        if (!dynamic_cast<wxStaticBox*>(children[b]))
            continue;
        int innerBefore = 0;
        int innerNow = 0;
        for (size_t i = 0; i < children.size(); ++i) {
            if (i != b && before[b].Contains(before[i])) {
                innerBefore = std::max(innerBefore, before[i].GetRight());
                innerNow = std::max(innerNow, children[i]->GetRect().GetRight());
            }
        }
        const wxRect box = children[b]->GetRect();
        const int width = innerNow + before[b].GetRight() - innerBefore - box.x + 1;
        if (innerBefore > 0 && width > box.width)
            children[b]->SetSize(width, box.height);
    }
    const int right = RightmostEdge(children) + margin;
    if (right > parent.GetClientSize().x)
        parent.SetClientSize(right, parent.GetClientSize().y);
}

wxMenuBar* LoadXrcMenuBar(const char* name)
{
    InitAppResources();
    wxMenuBar* bar = wxXmlResource::Get()->LoadMenuBar(name);
    CheckLoaded(bar != nullptr, name);
    return bar;
}
