// place_data.cpp -- the bundled tree into a program folder, keeping what a person changed there.
#include "place_data.h"

#include "tool_common.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

namespace fs = std::filesystem;

namespace {

constexpr const char* RECORD_HEADING = "kestrova placed data 1";
// Starts a record line about the copy written beside a changed file. A file's line starts with its
// digest, so an older placing passes over these lines; an older record, having none, leaves every
// <name>.bundled to the person.
constexpr std::string_view RECORD_BESIDE = "beside ";

// A file's bytes as a 64-bit FNV-1a digest: enough to tell a person's edit from what was placed.
bool file_digest(const fs::path& p, uint64_t& out)
{
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    uint64_t h = 14695981039346656037ull;
    char buf[1 << 16];
    while (in) {
        in.read(buf, sizeof buf);
        for (std::streamsize i = 0; i < in.gcount(); i++) {
            h ^= static_cast<unsigned char>(buf[i]);
            h *= 1099511628211ull;
        }
    }
    if (in.bad()) return false;
    out = h;
    return true;
}

// Every file and folder below `root`, as paths relative to it, in a fixed order.
void list_tree(const fs::path& root, std::set<fs::path>& files, std::set<fs::path>& folders)
{
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path rel = it->path().lexically_relative(root);
        if (it->is_directory()) folders.insert(rel);
        else if (it->is_regular_file()) files.insert(rel);
    }
}

// What the last placing put into the folder, as relative path -> digest: the bundled files, and apart
// from them the new versions it wrote beside files the person changed, under the changed file's path.
// Apart, because the removal of files the bundled tree no longer holds must never take such a copy:
// the person may still want it.
struct placed_record {
    std::map<fs::path, uint64_t> files;
    std::map<fs::path, uint64_t> beside;
};

// A missing or unreadable record is an empty one, so that every file that differs from the bundled
// tree counts as changed, and every <name>.bundled as the person's.
placed_record read_record(const fs::path& record)
{
    placed_record m;
    std::ifstream in(record);
    std::string line;
    if (!std::getline(in, line) || line != RECORD_HEADING) return m;
    while (std::getline(in, line)) {
        const bool beside = line.starts_with(RECORD_BESIDE);
        if (beside) line.erase(0, RECORD_BESIDE.size());
        uint64_t h = 0;
        int used = 0;
        if (line.size() > 17 && std::sscanf(line.c_str(), "%16" SCNx64 " %n", &h, &used) == 1 && used == 17)
            (beside ? m.beside : m.files)[fs::path(line.substr(17))] = h;
    }
    return m;
}

int write_record(const fs::path& record, const placed_record& m, std::string& err)
{
    std::ostringstream s;
    s << RECORD_HEADING << "\n";
    char hex[17];
    for (const auto& [rel, h] : m.files) {
        std::snprintf(hex, sizeof hex, "%016" PRIx64, h);
        s << hex << ' ' << rel.generic_string() << "\n";
    }
    for (const auto& [rel, h] : m.beside) {
        std::snprintf(hex, sizeof hex, "%016" PRIx64, h);
        s << RECORD_BESIDE << hex << ' ' << rel.generic_string() << "\n";
    }
    const std::string text = s.str();
    return tool_write_file(record.string(), std::vector<uint8_t>(text.begin(), text.end()), err);
}

// Copies `from` over `to` through a temporary file beside it, so `to` is either the old file or
// the whole new one, and a hard link to the old file elsewhere keeps the old bytes.
int copy_whole(const fs::path& from, const fs::path& to, std::string& err)
{
    return tool_write_with(
        to.string(),
        [&from](const std::string& tmp, std::string& why) {
            std::error_code ec;
            fs::copy_file(from, tmp, fs::copy_options::overwrite_existing, ec);
            if (ec) why = "cannot copy " + from.string() + ": " + ec.message();
            return !ec;
        },
        err);
}

// Whether a new version may be written as `p`: nothing stands there, or a file still holds exactly
// what the placing wrote there (`placed`, when the record has it). Anything else is the person's.
bool beside_is_free(const fs::path& p, const uint64_t* placed)
{
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(p, ec);
    if (st.type() == fs::file_type::not_found) return true;
    uint64_t h = 0;
    return placed && fs::is_regular_file(st) && file_digest(p, h) && h == *placed;
}

bool digest_or_fail(const fs::path& p, uint64_t& h, place_result& out)
{
    if (file_digest(p, h)) return true;
    out.error = "cannot read " + p.string();
    return false;
}

int place_exact(const fs::path& bundled, const fs::path& folder, const std::set<fs::path>& files,
                const std::set<fs::path>& folders, place_result& out)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::set<fs::path> have_files, have_folders;
    list_tree(folder, have_files, have_folders);
    // What the bundled tree does not hold goes, deepest first so a folder is empty when it goes.
    for (auto it = have_files.rbegin(); it != have_files.rend(); ++it)
        if (!files.count(*it) && fs::remove(folder / *it, ec)) out.removed++;
    for (auto it = have_folders.rbegin(); it != have_folders.rend(); ++it)
        if (!folders.count(*it)) out.removed += static_cast<int>(fs::remove_all(folder / *it, ec));
    for (const fs::path& d : folders) fs::create_directories(folder / d, ec);
    for (const fs::path& rel : files) {
        uint64_t hb = 0, hd = 0;
        if (!digest_or_fail(bundled / rel, hb, out)) return 1;
        if (have_files.count(rel) && file_digest(folder / rel, hd) && hd == hb) continue;
        if (copy_whole(bundled / rel, folder / rel, out.error) != 0) return 1;
        out.written++;
    }
    return 0;
}

int place_keeping(const fs::path& bundled, const fs::path& folder, const fs::path& record,
                  const std::set<fs::path>& files, const std::set<fs::path>& folders, place_result& out)
{
    const placed_record last = read_record(record);
    placed_record now;
    std::error_code ec;
    for (const fs::path& d : folders) {
        fs::create_directories(folder / d, ec);
        if (ec && !fs::is_directory(folder / d)) out.notes.push_back("kept your " + d.generic_string() + ": it is not a folder");
    }
    for (const fs::path& rel : files) {
        const fs::path dst = folder / rel;
        uint64_t hb = 0, hd = 0;
        if (!digest_or_fail(bundled / rel, hb, out)) return 1;
        const auto was = last.files.find(rel);
        const bool exists = fs::exists(dst, ec);
        // Said once for each bundled version: that version is what the record keeps.
        const bool told = was != last.files.end() && was->second == hb;
        now.files[rel] = hb;
        // The copy beside stays on record while its file is bundled, so a later version may replace it.
        if (const auto b = last.beside.find(rel); b != last.beside.end()) now.beside[rel] = b->second;
        if (exists && !fs::is_regular_file(dst, ec)) {   // a folder or the like of the person's
            out.kept++;
            if (!told) out.notes.push_back("kept your " + rel.generic_string() + ": it is not a file");
            continue;
        }
        if (exists && !digest_or_fail(dst, hd, out)) return 1;
        if (exists && hd == hb) continue;
        if (!exists || (was != last.files.end() && hd == was->second)) {   // missing, or still as placed
            if (copy_whole(bundled / rel, dst, out.error) != 0) return 1;
            out.written++;
            continue;
        }
        // The person's own version: keep it, and offer a bundled version the folder has not had yet,
        // beside it, or in the bundled tree when the <name>.bundled there is the person's.
        out.kept++;
        if (told) continue;
        const std::string beside = rel.generic_string() + PLACE_BESIDE_SUFFIX;
        const auto placed = now.beside.find(rel);
        if (!beside_is_free(folder / beside, placed != now.beside.end() ? &placed->second : nullptr)) {
            out.notes.push_back("kept your changed " + rel.generic_string() + " and your " + beside +
                                "; the build's new version is in the bundled tree as " + (bundled / rel).string());
            continue;
        }
        if (copy_whole(bundled / rel, folder / beside, out.error) != 0) return 1;
        now.beside[rel] = hb;
        out.notes.push_back("kept your changed " + rel.generic_string() + "; the build's new version is beside it as " +
                            beside);
    }
    // Files the bundled tree no longer holds go only while they are as placed. The copies beside changed
    // files are not among them.
    for (const auto& [rel, h] : last.files) {
        uint64_t hd = 0;
        if (files.count(rel) || !fs::is_regular_file(folder / rel, ec)) continue;
        if (file_digest(folder / rel, hd) && hd == h && fs::remove(folder / rel, ec)) out.removed++;
    }
    return write_record(record, now, out.error);
}

}  // namespace

int place_bundled(const fs::path& bundled, const fs::path& folder, const fs::path& record, place_mode mode,
                  place_result& out)
{
    out = place_result{};
    if (!fs::is_directory(bundled)) {
        out.error = "no bundled tree at " + bundled.string();
        return 1;
    }
    std::set<fs::path> files, folders;
    try {
        list_tree(bundled, files, folders);
        if (mode == PLACE_EXACT) return place_exact(bundled, folder, files, folders, out);
        return place_keeping(bundled, folder, record, files, folders, out);
    } catch (const fs::filesystem_error& e) {   // a folder that cannot be listed
        out.error = e.what();
        return 1;
    }
}
