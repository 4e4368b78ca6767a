// Writing a file without risking the old one. Every file the editor writes (programs, settings,
// exported files) goes through AfxWriteFileReplacing.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/File.h"

#include <functional>

// Writes the file at `path` the safe way:
// - a symbolic link is followed, so its target is replaced and the link stays;
// - a file the user may not write (read-only, or owned by another user) is refused with a
//   CFileException (accessDenied) before anything is written;
// - `write` fills a new temporary file in the target's folder, which gets the old file's
//   permissions (and owner and group, where the user may set them; a new file gets
//   `newFileMode` less the umask), is synced to the disk, renamed over the target, and then
//   the folder is synced so that the rename is kept too;
// - on any failure, whatever `write` threw, the temporary file is removed, the old file is
//   untouched and the exception goes on to the caller.
// Failures of the routine itself throw CFileException*.
// A scratch file that need not outlive a crash (an undo snapshot) passes `syncToDisk` false:
// it is still written whole and renamed into place, but neither it nor its folder is synced,
// which spares every edit a wait for the disk.
void AfxWriteFileReplacing(LPCTSTR path, const std::function<void(CFile& file)>& write,
                           unsigned newFileMode = 0666, bool syncToDisk = true);
