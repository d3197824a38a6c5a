#include "app/message_box_look.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/weakref.h>

#include "app/gtk_call.h"

namespace {

// Room the title bar takes beside the title: the window manager's buttons and margins.
constexpr int kTitleBarExtra = 160;

#ifdef __WXGTK3__
void AddExclamationIcon(void* widget)
{
    using NewImage = void* (*)(void*);
    using SetImage = void (*)(void*, void*);
    using ShowWidget = void (*)(void*);
    auto newImage = GtkCall<NewImage>("gtk_image_new_from_pixbuf");
    auto setImage = GtkCall<SetImage>("gtk_message_dialog_set_image");
    auto show = GtkCall<ShowWidget>("gtk_widget_show");
    const wxBitmap icon = wxArtProvider::GetBitmap(wxART_WARNING, wxART_MESSAGE_BOX);
    if (!newImage || !setImage || !show || !icon.IsOk())
        return;
    void* image = newImage(icon.GetPixbuf());
    setImage(widget, image);
    show(image);
}

void WidenForTitle(wxDialog& box, void* widget)
{
    using SizeRequest = void (*)(void*, int, int);
    auto request = GtkCall<SizeRequest>("gtk_widget_set_size_request");
    // Title bars commonly use a bold face somewhat larger than the dialog's text.
    const wxFont bold = box.GetFont().Bold();
    int width = 0;
    box.GetTextExtent(box.GetTitle(), &width, nullptr, nullptr, nullptr, &bold);
    const int needed = width * 3 / 2 + kTitleBarExtra;
    if (request && box.GetSize().x < needed)
        request(widget, needed, -1);
}
#endif

// The toolkit makes its box inside ShowModal, after this hook is called: the box is dressed
// once it is on the screen.
class CMessageBoxLook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        auto* box = dynamic_cast<wxMessageDialog*>(dialog);
        if (box && wxTheApp) {
            wxWeakRef<wxDialog> ref(dialog);
            const bool exclamation = (box->GetMessageDialogStyle() & wxICON_EXCLAMATION) != 0;
            wxTheApp->CallAfter([ref, exclamation] {
                if (ref)
                    Dress(*ref, exclamation);
            });
        }
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    static void Dress(wxDialog& box, bool exclamation)
    {
#ifdef __WXGTK3__
        void* widget = box.GetHandle();
        if (!widget)
            return;
        if (exclamation)
            AddExclamationIcon(widget);
        WidenForTitle(box, widget);
#else
        (void)box;
        (void)exclamation;
#endif
    }
};

} // namespace

void InstallMessageBoxLook()
{
    static CMessageBoxLook look;
    static bool installed = false;
    if (!installed) {
        look.Register();
        installed = true;
    }
}
