#pragma once

// What the document, its view, their commands and the clone host need of the main window: the
// frame (the parent of their boxes and of the channel list) and the message pane of its status
// bar. The application registers its main frame here while the frame exists, so that those
// parts reach the window without the frame's or the application's class, which include them.

#include <string>

class wxFrame;
class wxString;

class CMainWindow {
public:
    virtual wxFrame* GetFrame() = 0;
    // The message pane of the status bar. While held, it keeps its text: menu and toolbar
    // prompts do not replace it.
    virtual void SetMessageText(const wxString& text) = 0;
    virtual void HoldMessageText(bool hold) = 0;

protected:
    ~CMainWindow() = default;
};

// The main window, or null while there is none.
CMainWindow* GetMainWindow();
void SetMainWindow(CMainWindow* window);
// The main window's frame, or null.
wxFrame* GetMainFrame();

// A text in the main window's message pane (none while there is no main window).
void ShowStatusText(const std::string& text);
// Takes the note of an earlier action away: the message pane shows the idle text.
void ClearStatusText();

// Shows in the message pane why the profile is not used or cannot be saved, if it is not.
void ShowProfileWarning();
