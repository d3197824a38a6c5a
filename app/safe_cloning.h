#pragma once

// Safe cloning in the desktop program: File > Open Backup..., Clone > Compare with
// Transceiver... and Help > Check Connection..., and the backup copy every read leaves.

#include <wx/string.h>

class wxFrame;
class CCloneHost;
class CPWR455Doc;
class CR455Radio;

// Binds the three menu commands on the main frame. They work on the program's document.
void BindSafeCloning(wxFrame* frame);

// Keeps the data of a successful read as a backup copy. A copy that cannot be saved never
// fails the read: the status bar says so instead.
void SaveReadBackup(CCloneHost& host, CR455Radio& data);

// Reads the transceiver (identity check and read run as Read From Transceiver does them, with
// their progress window, texts, boxes and sounds) into a data set of its own, and shows what
// differs from the document, which stays as it was, modified state included. Returns the clone
// result (0 when the compare dialog was shown).
int CompareWithTransceiver(CPWR455Doc& doc);

// The file chooser of File Open in the backup folder; the file chosen is opened as File Open
// does. Returns true when a backup was opened.
bool OpenBackup(CPWR455Doc& doc);

// The connection checks on the document's port, shown in the Check Connection window.
void CheckConnection(CPWR455Doc& doc);
