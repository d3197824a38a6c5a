#pragma once

// Loading of the program's XRC resources and checked access to their controls. A resource or
// control that is missing is a fault of the resources, not of the user: it asserts and throws
// instead of handing back a null pointer or a half-made window that would fail later.

#include <initializer_list>
#include <stdexcept>
#include <string>

#include <wx/window.h>
#include <wx/xrc/xmlres.h>

class wxDialog;
class wxMenuBar;
class wxPanel;

// Asserts with `fault` and throws it.
[[noreturn]] void ReportXrcFault(const std::string& fault);

// A control of an XRC layout that shows a text of the string table: the layout leaves its
// label empty, so that the text has one home.
struct CXrcLabel {
    const char* control;
    unsigned textId;
};

// Load the XRC dialog, panel or menu bar `name` (into `dialog` or `panel`, made with their
// default constructors), after the program's resources, should they not be loaded yet. The
// panel's controls `labels` get their texts before its labels are fitted to their texts.
void LoadXrcDialog(wxDialog& dialog, wxWindow* parent, const char* name);
void LoadXrcPanel(wxPanel& panel, wxWindow* parent, const char* name,
                  std::initializer_list<CXrcLabel> labels = {});
wxMenuBar* LoadXrcMenuBar(const char* name);

// In a translation, widens each label, button and list of `parent` (laid out in dialog units for
// the English texts) to its text and moves what lies to its right by as much, `parent` growing
// with it. English keeps its layout exactly.
void WidenForTranslation(wxWindow& parent);

// The child control `name` of `parent`, of type T.
template <class T>
T* XrcCtrl(const wxWindow& parent, const char* name)
{
    T* control = dynamic_cast<T*>(parent.FindWindow(wxXmlResource::GetXRCID(name)));
    if (!control)
        ReportXrcFault(std::string("XRC control \"") + name + "\" missing or of the wrong type");
    return control;
}
