// hl_newfile.cpp -- a temporary file made anew beside its target.
#include "hl_newfile.h"

#include <cerrno>
#include <cstdio>

int make_new_file(const char* target, const char* ending, char* name, size_t size,
                  const std::function<bool(const char* name)>& make)
{
    for (int n = 0; n < 1000; n++) {
        const int len = n ? std::snprintf(name, size, "%s%s%d", target, ending, n)
                          : std::snprintf(name, size, "%s%s", target, ending);
        if (len < 0 || static_cast<size_t>(len) >= size) {
            if (size) name[0] = 0;
            return ENAMETOOLONG;
        }
        errno = 0;
        if (make(name)) return 0;
        if (errno != EEXIST) {
            const int error = errno ? errno : EIO;
            name[0] = 0;
            return error;
        }
    }
    if (size) name[0] = 0;
    return EEXIST;
}
