// tool_common.cpp -- the data generators' file writer.
#include "tool_common.h"

#include "hl_newfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

int tool_write_with(const std::string& path,
                    const std::function<bool(const std::string& tmp, std::string& err)>& write,
                    std::string& err)
{
    std::error_code ec;
    std::filesystem::path p(path);
    if (p.has_parent_path()) {
        std::filesystem::create_directories(p.parent_path(), ec);
        if (ec) {
            err = "cannot create folder " + p.parent_path().string() + ": " + ec.message();
            return 1;
        }
    }
    // The temporary file is made anew, under a name no file beside it has: a file of the folder's
    // own that happens to be called "<name>.part" is neither written over nor removed.
    std::string tmp(path.size() + 16, '\0');
    const int error = make_new_file(path.c_str(), ".part", tmp.data(), tmp.size(), [](const char* name) {
        std::FILE* f = std::fopen(name, "wbx");
        if (!f) return false;
        std::fclose(f);
        return true;
    });
    if (error) {
        err = "cannot create a temporary file beside " + path + ": " + std::strerror(error);
        return 1;
    }
    tmp.resize(std::strlen(tmp.c_str()));
    err.clear();
    if (!write(tmp, err)) {
        if (err.empty()) err = "cannot write " + tmp;
        std::remove(tmp.c_str());
        return 1;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        err = "cannot rename " + tmp + " to " + path + ": " + std::strerror(errno);
        std::remove(tmp.c_str());
        return 1;
    }
    return 0;
}

int tool_write_file(const std::string& path, const std::vector<uint8_t>& bytes, std::string& err)
{
    return tool_write_with(
        path,
        [&bytes](const std::string& tmp, std::string& why) {
            std::FILE* f = std::fopen(tmp.c_str(), "wb");
            if (!f) {
                why = "cannot create " + tmp + ": " + std::strerror(errno);
                return false;
            }
            size_t n = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
            int close_failed = std::fclose(f);
            return n == bytes.size() && !close_failed;
        },
        err);
}
