// plt_files.h -- what a file is, who may write it and who owns it: what a reader must not open and
// what a save keeps when it puts a new file in the old one's place.
#pragma once

// 1 when path names, links followed, a pipe or a socket. Opening one for reading or writing waits
// until something opens its other end, so no reader or writer of the suite opens such a name.
// Allocates nothing: readers that run during the frame ask it.
int PLT_names_a_pipe(const char* path);

// 0 when this process (its effective user and groups) may write the file at path, links followed;
// else the system's reason (EACCES, EROFS, ENOENT, ...).
int PLT_file_write_denied(const char* path);

// Gives the file at path, one this process has just made, the owner, group and permission bits of
// the file at like (links followed), as far as this process may set them: the owner and group
// together where it may give a file away (the superuser), else the group alone (one it belongs
// to), else neither; then the permission bits. 0, or the errno of reading like or of setting the
// bits.
int PLT_copy_protection(const char* like, const char* path);
