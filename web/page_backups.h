#pragma once

// The backup copy every read leaves, kept in the browser's own storage (the page's `backups`
// object, page/src/backups.ts, over IndexedDB) instead of a folder: named and pruned to the
// newest CBackupStore::kKeptBackups as the desktop program's folder is. A storage that is full or
// missing fails the backup, never the read: the host is told, and a full one is explained in a
// message box.

#include "clone/clone_operations.h"

CCloneOperations::BackupHook PageBackupHook(CCloneHost& host);
