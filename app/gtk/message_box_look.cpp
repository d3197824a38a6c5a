#include "app/message_box_look.h"

#include <gtk/gtk.h>
#include <wx/artprov.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>


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
    // A least width: a longer text still widens the box.
    gtk_widget_set_size_request(widget, width * 3 / 2 + kTitleBarExtra, -1);
}

// The toolkit makes its box inside ShowModal, after this hook is called, and shows it at once.
// The box is dressed as it is shown, before it reaches the screen: a box that changed after it
// appeared would be read by screen readers without its text.
class CMessageBoxLook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
            RemoveHook();
            m_box = box;
            m_hook = g_signal_add_emission_hook(g_signal_lookup("show", GTK_TYPE_WIDGET), 0, OnShow,
                                                this, nullptr);
        }
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override
    {
        if (dialog == m_box)
            RemoveHook();
    }

private:
    static gboolean OnShow(GSignalInvocationHint*, guint count, const GValue* values, gpointer data)
    {
        auto* look = static_cast<CMessageBoxLook*>(data);
        GtkWidget* widget = count > 0 ? GTK_WIDGET(g_value_get_object(values)) : nullptr;
        if (!look->m_box || widget != look->m_box->GetHandle())
            return TRUE; // another widget: keep waiting for the box
        if (look->m_box->GetMessageDialogStyle() & wxICON_EXCLAMATION)
            AddExclamationIcon(widget);
        WidenForTitle(*look->m_box, widget);
        look->m_box = nullptr;
        look->m_hook = 0;
        return FALSE; // done: the hook goes
    }
    void RemoveHook()
    {
        if (m_hook)
            g_signal_remove_emission_hook(g_signal_lookup("show", GTK_TYPE_WIDGET), m_hook);
        m_hook = 0;
        m_box = nullptr;
    }

    wxMessageDialog* m_box = nullptr;
    gulong m_hook = 0;
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
