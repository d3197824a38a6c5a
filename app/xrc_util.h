#pragma once

// Checked access to controls of XRC-loaded windows.

#include <stdexcept>
#include <string>

#include <wx/window.h>
#include <wx/xrc/xmlres.h>

// The child control `name` of `parent`, of type T. A missing control or one of another type
// is a fault of the resources, not of the user: it asserts and throws instead of handing back
// a null pointer that would crash later.
template <class T>
T* XrcCtrl(const wxWindow& parent, const char* name)
{
    wxWindow* window = parent.FindWindow(wxXmlResource::GetXRCID(name));
    T* control = dynamic_cast<T*>(window);
    if (!control) {
        wxFAIL_MSG(wxString::Format("XRC control \"%s\" missing or of the wrong type", name));
        throw std::logic_error(std::string("XRC control missing: ") + name);
    }
    return control;
}
