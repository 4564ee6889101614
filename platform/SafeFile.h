#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

// A file written beside the name it is to have and put in place only once it is complete, so
// that whatever stops the writing (a full disk, a cancel, the program's end) leaves the file
// of that name exactly as it was. The bytes go to a new hidden file in the same folder;
// Commit syncs it to disk and renames it over the name. A name that is a symbolic link is
// followed: the file it names is replaced and the link stays a link. An object dropped
// without Commit removes what it wrote.
class TSafeFile {
public:
    TSafeFile() = default;
    ~TSafeFile();
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;

    // Starts the file that is to replace path: empty and open. False when path names a
    // folder or anything else that is not a regular file, a file its owner may not write, or
    // a place whose folder takes no new file.
    bool Create(const std::string& path);
    // Appends all the bytes, opening the file again when it was closed; false when not all
    // of them were written.
    bool Append(std::span<const uint8_t> bytes);
    // Appends the rest of the open file, a piece at a time, asking goOn after each piece of
    // a large file whether to go on; false when not all of it was written or goOn said no.
    bool AppendFrom(int sourceFd, const std::function<bool()>& goOn = {});
    // Closes the file between pieces of writing; the next Append opens it again.
    bool Close();
    // The file is to be a copy of this one: at Commit it takes its permissions (without the
    // set-user and set-group bits) and its modification time.
    void TakeAttributesOf(const struct stat& source) { m_source = source; }
    // Puts the complete file in place: synced to disk (unless told otherwise), with the owner
    // and permissions of the file it replaces where the system allows (a new file's follow
    // the umask or TakeAttributesOf), renamed over the name. False leaves the file of that
    // name as it was.
    bool Commit(bool sync = true);
    // Removes what was written; the file of that name stays as it was.
    void Discard();

    // The file that is replaced: the name given, or the file its symbolic link names.
    const std::string& Target() const { return m_target; }
    // The file being written, while there is one.
    const std::string& TemporaryPath() const { return m_temporary; }

private:
    bool Reopen();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    // The file created: a file put in its place between two pieces is not written.
    dev_t m_device = 0;
    ino_t m_inode = 0;
    std::optional<struct stat> m_source;
};
