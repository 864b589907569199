// hl_newfile.cpp -- a temporary file made anew beside its target, keeping what protects the target.
#include "hl_newfile.h"

#include "plt_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// The longest folder entry the file systems in use take, in bytes.
constexpr size_t NAME_MAX_BYTES = 255;

}  // namespace

const char* newfile_reason(int error)
{
    if (error == NEWFILE_READ_ONLY) return "the file is read-only";
    if (error == NEWFILE_PIPE) return "the name is a pipe or a socket, not a file";
    return std::strerror(error);
}

int make_new_file(const char* target, const char* ending, char* name, size_t size,
                  const std::function<bool(const char* name)>& make)
{
    const char* slash = std::strrchr(target, '/');
    const size_t leaf_at = slash ? static_cast<size_t>(slash - target) + 1 : 0;
    const size_t leaf = std::strlen(target + leaf_at);
    for (int n = 0; n < 1000; n++) {
        char number[8] = "";
        if (n) std::snprintf(number, sizeof number, "%d", n);
        const size_t tail = std::strlen(ending) + std::strlen(number);
        size_t keep = leaf;
        if (keep + tail > NAME_MAX_BYTES) {
            keep = tail < NAME_MAX_BYTES ? NAME_MAX_BYTES - tail : 0;
            // Cut before a character, never inside one of several bytes.
            while (keep > 0 && (static_cast<unsigned char>(target[leaf_at + keep]) & 0xC0) == 0x80) keep--;
        }
        const int len = std::snprintf(name, size, "%.*s%s%s", static_cast<int>(leaf_at + keep), target, ending, number);
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

int make_replacement_file(const char* target, const char* ending, char* name, size_t size,
                          const std::function<bool(const char* name)>& make)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(target, ec);
    const bool exists = fs::exists(st);
    if (exists) {
        constexpr fs::perms any_write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((st.permissions() & any_write) == fs::perms::none) return NEWFILE_READ_ONLY;
        if (const int denied = PLT_file_write_denied(target)) return denied;
    }
    const int error = make_new_file(target, ending, name, size, make);
    if (error || !exists) return error;
    // The new file is private to this save until it is renamed: it takes the old file's
    // protection before anything is written into it.
    if (const int failed = PLT_copy_protection(target, name)) {
        std::remove(name);
        name[0] = 0;
        return failed;
    }
    return 0;
}
