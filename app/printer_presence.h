#pragma once

// Whether the system has somewhere to print to, so that a print that cannot start says why
// instead of failing without a reason. Windows: a printer is set up. GTK: always, as its print
// dialog can also print to a file.
bool HasPrinter();
