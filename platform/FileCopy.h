#pragma once

#include <functional>
#include <string>

enum class TCopyResult { Copied, Failed, Stopped };

// Copies the file source over target (native paths) as the platform's file copy does: an
// existing target is replaced, and the copy takes the source's permissions and modification
// time. Nothing is lost on the way: the copy is written beside the target and takes its name
// only once it is complete, so a failure or a stop leaves the target as it was (a replaced
// target is synced to disk first, as a save is); a target that is the source itself (the same
// folder, a hard link, a path through a symbolic link) is refused before either file is
// opened; a target whose owner may not write it is never replaced. goOn is asked between the
// pieces of a large file; false stops the copy.
TCopyResult CopyFileOver(
    const std::string& source, const std::string& target, const std::function<bool()>& goOn = {});
