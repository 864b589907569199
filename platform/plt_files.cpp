// plt_files.cpp -- file kinds, permissions and ownership on POSIX.
#include "plt_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int PLT_names_a_pipe(const char* path)
{
    struct stat st;
    return path && stat(path, &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) ? 1 : 0;
}

int PLT_file_write_denied(const char* path)
{
    if (!path || !path[0]) return ENOENT;
    return faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

int PLT_copy_protection(const char* like, const char* path)
{
    struct stat st;
    if (!like || !path || stat(like, &st) != 0) return errno ? errno : ENOENT;
    // The owner first: changing it may clear the set-user and set-group bits, which the mode then
    // gives back. A refusal leaves the file this process's own, as a new file is.
    if (lchown(path, st.st_uid, st.st_gid) != 0) (void)lchown(path, static_cast<uid_t>(-1), st.st_gid);
    // The new file is this process's own and no link (it was made exclusively), so the bits are
    // set on it and nowhere else.
    return fchmodat(AT_FDCWD, path, st.st_mode & 07777, 0) == 0 ? 0 : errno;
}
