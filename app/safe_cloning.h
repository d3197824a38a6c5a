#pragma once

// Safe cloning in the desktop program: File > Open Backup..., Clone > Compare with
// Transceiver... and Help > Check Connection.... (The backup copy every read leaves is the clone
// operations' own.)

#include <wx/string.h>

class wxFrame;
class CPWR455Doc;
class CPortList;

// Binds the three menu commands on the main frame. They work on the program's document.
void BindSafeCloning(wxFrame* frame);

// Reads the transceiver (identity check and read run as Read From Transceiver does them, with
// their progress window, texts, boxes and sounds) into a data set of its own, and shows what
// differs from the document, which stays as it was, modified state included. Returns the clone
// result (0 when the compare dialog was shown).
int CompareWithTransceiver(CPWR455Doc& doc);

// The file chooser of File Open in the backup folder; the file chosen is opened as File Open
// does. Returns true when a backup was opened.
bool OpenBackup(CPWR455Doc& doc);

// The connection checks on the document's port, shown in the Check Connection window; its Find
// Cable watches `ports`.
void CheckConnection(CPWR455Doc& doc, CPortList& ports);
