// hl_newfile.h -- the temporary file a save writes beside its target before renaming it over it, and
// what a save keeps of the file it replaces.
#pragma once
#include <cstddef>
#include <functional>

// Reasons of the suite's own for a file not opened or not written, beside the system's errno values.
constexpr int NEWFILE_READ_ONLY = -1;   // no one may write the file: it is marked read-only
constexpr int NEWFILE_PIPE = -2;        // the name is a pipe or a socket, not a file

// The reason as the middle of a sentence: "the file is read-only", or the system's text for errno.
const char* newfile_reason(int error);

// Makes a file beside target under a name that nothing has yet: target + ending, or, when a file, a
// folder or a link of that name stands there, target + ending + "1", "2" and on. Where the folder
// entry would be longer than a name may be, target's own name is cut short first, so that every
// name that fits gets a temporary file too. make is given one name and creates it anew and opens it
// on the caller's stream (fopen mode "x", std::ios_base::__noreplace), which refuses any name that
// exists, a link above all, so that nothing already there is opened, truncated or followed. It
// returns true when the file was made, else false with errno set; EEXIST moves on to the next name.
// The name made goes into name (size bytes). Returns 0, or the errno of the failure (ENAMETOOLONG
// when a name does not fit in size, EEXIST when every name up to ending + "999" is taken) with name
// emptied.
int make_new_file(const char* target, const char* ending, char* name, size_t size,
                  const std::function<bool(const char* name)>& make);

// Makes the file that is to replace target, as make_new_file does, when target may be replaced: a
// file that does not exist yet may, a file no one may write (none of its write bits set, a mark that
// holds even for its owner and the superuser) gives NEWFILE_READ_ONLY, and a file this process may
// not write gives the system's reason, before anything is made. The new file takes target's owner
// and group where this process may set them, and its permission bits; a failure to set the bits
// removes the new file again and gives its reason. target itself is never touched.
int make_replacement_file(const char* target, const char* ending, char* name, size_t size,
                          const std::function<bool(const char* name)>& make);
