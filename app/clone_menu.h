#pragma once

// The clone commands of the desktop program: Read From Transceiver, Write to Transceiver, Read
// Information, Port Settings... and the choice of COM1 to COM4 (menu and toolbar).

class wxFrame;

// Binds the commands on the main frame. They work on the program's document.
void BindCloneMenu(wxFrame* frame);
