#pragma once

// Where the user's files and the program's own live, as the system names them: UTF-8 paths,
// "" where the system names none. Every part of the program asks here, so that the settings, the
// backups and the instance lock agree on one home.

#include <string>

// The user's home folder: $HOME, or when that is unset or empty the home folder that the user
// database gives for this user.
std::string GetHomeFolder();

// The folder of the user's settings: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config under GetHomeFolder() (Windows: %APPDATA% when it is a full path, else the system's
// own folder for it).
std::string GetUserConfigFolder();

// The folder of the user's data: $XDG_DATA_HOME when it is an absolute path, else
// ~/.local/share under GetHomeFolder() (Windows: %LOCALAPPDATA%, as %APPDATA% above).
std::string GetUserDataFolder();

// The folder of the running program's executable file.
std::string GetProgramFolder();

// The folder of the data shipped with the program (the airport list, the help): share/pwr455
// beside the program's folder on POSIX, the program's own folder on Windows.
std::string GetShippedDataFolder();

// The environment variable `name` in UTF-8; "" when it is unset.
std::string GetEnvironmentText(const char* name);
