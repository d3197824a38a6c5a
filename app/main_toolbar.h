#pragma once

class wxFrame;
class wxToolBar;

// The main toolbar: 15 buttons of 16 x 16 pixels with their tooltips and status bar prompts.
wxToolBar* CreateMainToolBar(wxFrame* frame);
