#include "app/end_requests.h"

#include <csignal>

#include <wx/app.h>

void CatchEndRequests(wxApp& app, void (*handler)(int))
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        app.SetSignalHandler(signal, handler);
}
