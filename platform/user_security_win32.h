#pragma once

// Inside the Windows side of the program only: who this process runs as, and the access rights
// that keep what it makes to that user alone.

#include <string>

#include <windows.h>

// The security identifier of the user this process runs as, as text (S-1-5-21-...); "" when the
// system does not tell.
std::wstring GetCurrentUserSid();

// A security descriptor (LocalFree it) that lets only this process's user in, with full rights
// and nobody else's inherited; `inheritance` is SDDL's ACE flags ("OICI": also for what a folder
// holds). nullptr when the system will not make one.
PSECURITY_DESCRIPTOR MakeOwnerOnlyDescriptor(const wchar_t* inheritance);
