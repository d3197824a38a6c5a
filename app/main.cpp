// The desktop program pwr455.
#include "app/pwr455_app.h"
#include "app/toolkit_entry.h"

wxIMPLEMENT_APP_NO_MAIN(CPWR455App);

int main(int argc, char** argv)
{
    // Before the first text is read: --help and --version speak the language too.
    CPWR455App::UseChosenLanguage();
    // The toolkit needs a display; --help and --version must not.
    const int status = CPWR455App::AnswerInformationOptions(argc, argv);
    if (status >= 0)
        return status;
    wxDISABLE_DEBUG_SUPPORT();
    return EnterToolkit(argc, argv);
}
