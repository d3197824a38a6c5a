#pragma once

// The Common Setting command of the channel list: the settings sheet with its Common and
// Advanced pages on the document's radio data object.

#include <functional>
#include <string>

class wxDocument;
class wxWindow;
class CR455Radio;

// Runs the sheet modally, opening on page `*settingsPage` and recording there each page the
// user turns to. On OK both pages write their settings, the document is marked modified and
// its views are updated. Whether OK or Cancel, the engine rebuilds its image ("HEAL") and
// `refreshAll` redraws the channel list, so that it shows the channels as the engine now holds
// them (the channel spacing moves frequencies onto its grid). `note`, where given, receives what
// the status bar should say of the settings stored ("" for nothing). Returns wxID_OK or
// wxID_CANCEL.
int RunCommonSetting(wxWindow* parent, wxDocument* document, CR455Radio* radioData,
                     int* settingsPage, const std::function<void()>& refreshAll,
                     std::string* note = nullptr);
