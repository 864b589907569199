// hl_newfile.h -- the temporary file a save writes beside its target before renaming it over it.
#pragma once
#include <cstddef>
#include <functional>

// Makes a file beside target under a name that nothing has yet: target + ending, or, when a file, a
// folder or a link of that name stands there, target + ending + "1", "2" and on. make is given one
// name and creates it anew and opens it on the caller's stream (fopen mode "x",
// std::ios_base::__noreplace), which refuses any name that exists, a link above all, so that
// nothing already there is opened, truncated or followed. It returns true when the file was made,
// else false with errno set; EEXIST moves on to the next name. The name made goes into name (size
// bytes). Returns 0, or the errno of the failure (ENAMETOOLONG when a name does not fit, EEXIST
// when every name up to ending + "999" is taken) with name emptied.
int make_new_file(const char* target, const char* ending, char* name, size_t size,
                  const std::function<bool(const char* name)>& make);
