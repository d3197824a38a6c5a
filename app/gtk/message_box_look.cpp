#include "app/message_box_look.h"

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/weakref.h>


namespace {

// Room the title bar takes beside the title: the window manager's buttons and margins.
constexpr int kTitleBarExtra = 160;

void AddExclamationIcon(GtkWidget* widget)
{
    const wxBitmap icon = wxArtProvider::GetBitmap(wxART_WARNING, wxART_MESSAGE_BOX);
    if (!icon.IsOk() || !GTK_IS_MESSAGE_DIALOG(widget))
        return;
    GtkWidget* image = gtk_image_new_from_pixbuf(icon.GetPixbuf());
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS // the only way to put an image into a GTK 3 message box
        gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(widget), image);
    G_GNUC_END_IGNORE_DEPRECATIONS
    gtk_widget_show(image);
}

void WidenForTitle(wxDialog& box, GtkWidget* widget)
{
    // Title bars commonly use a bold face somewhat larger than the dialog's text.
    const wxFont bold = box.GetFont().Bold();
    int width = 0;
    box.GetTextExtent(box.GetTitle(), &width, nullptr, nullptr, nullptr, &bold);
    const int needed = width * 3 / 2 + kTitleBarExtra;
    if (box.GetSize().x < needed)
        gtk_widget_set_size_request(widget, needed, -1);
}

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
        GtkWidget* widget = box.GetHandle();
        if (!widget)
            return;
        if (exclamation)
            AddExclamationIcon(widget);
        WidenForTitle(box, widget);
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
