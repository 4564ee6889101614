#pragma once

#include <string>

// Moves a file (a native path) to the desktop's trash, from where the user can restore it:
// the trash of its volume, or the user's own. False when no trash takes it; the file then
// stays where it was. A file that was made writable only to be deleted (wasReadOnly) is
// read-only again in the trash, so that it comes back as it was.
bool MoveToTrash(const std::string& nativePath, bool wasReadOnly);
