// hl_file.cpp -- data-file streams, the versioned header and the scanners.
#include "hl_file.h"

#include "hl_newfile.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt_files.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <locale>
#include <string>

namespace hl_streams {
std::ifstream inf1, inf2;
std::ofstream ouf, err, trk;
}  // namespace hl_streams

int inf_use = 1;
int inf_is_bin = 0;
int rev_inf_bin = 0;

// Numbers in every stream use the "C" locale, whatever the program's global locale becomes.
[[maybe_unused]] static const bool g_streams_classic = [] {
    const std::locale& c = std::locale::classic();
    inf1.imbue(c);
    inf2.imbue(c);
    ouf.imbue(c);
    err.imbue(c);
    trk.imbue(c);
    return true;
}();

static std::ifstream& cur_in(void) { return inf_use == 2 ? inf2 : inf1; }

static bool is_binary_type(int type) { return type == FILE_TYPE_ACF || type == FILE_TYPE_SQUARE; }

static bool is_eol(int c) { return c == '\n' || c == '\r'; }

// Having read a line end c, takes the LF of a CRLF pair too, so CRLF counts as one line end.
static void finish_eol(std::istream& in, int c)
{
    if (c == '\r' && in.peek() == '\n') in.get();
}

// A read that met the end of the file after the stream was good: the end of the file ends the line
// or word, so only the failure is cleared (the end stays set and the next read fails).
static void accept_eof(std::istream& in)
{
    if (in.eof() && !in.bad()) in.clear(std::ios::eofbit);
}

// The file each input was opened on by inf_open, for the scanning alert; "" when not known.
static char g_inf_name[STR_LEN];

static void close_input(std::ifstream& in)
{
    in.close();
    in.clear();
    if (&in == &inf1) g_inf_name[0] = 0;
}

// The file being written on ouf and the temporary file beside it that holds the writing until
// ouf_close puts it in place (made by ouf_open, so removing it removes nothing else); empty when
// ouf holds nothing, and the temporary empty too when the file is written in place.
static char g_ouf_path[STR_LEN], g_ouf_tmp[STR_LEN + 8];

// A save that failed, with the system's reason (errno of the failing call) and what to check.
static void save_alert(const char* path, int error)
{
    char why[STR_LEN];
    std::snprintf(why, sizeof why, "Reason: %s.", error ? newfile_reason(error) : "the data did not reach the disk");
    MACIBM_alert("I could not save the file! Could the directory that the file sits in be missing?", path, why,
                 "Check that the folder exists, that you may write the file and in its folder, and that the disk "
                 "has room.",
                 ALERT_NOTICE);
}

// Closes ouf and throws its temporary file away.
static void drop_output(void)
{
    ouf.close();
    ouf.clear();
    if (g_ouf_tmp[0]) std::remove(g_ouf_tmp);
    g_ouf_tmp[0] = 0;
    g_ouf_path[0] = 0;
}

void rev_byte_order4(void* value)
{
    uint32_t u;
    std::memcpy(&u, value, 4);
    u = __builtin_bswap32(u);
    std::memcpy(value, &u, 4);
}

// 4 raw bytes of a binary input, reversed when the file has the other byte order.
static bool read_raw4(std::istream& in, void* value)
{
    char b[4];
    if (!in.read(b, 4)) return false;
    std::memcpy(value, b, 4);
    if (rev_inf_bin) rev_byte_order4(value);
    return true;
}

int scancheck(const char* label)
{
    if (!cur_in().fail()) return 1;
    // The value being read on the second line, the file on the fourth. An input opened without
    // inf_open is known only by its label (which then is usually its path).
    const char* what = label ? label : "";
    const char* file = inf_use == 1 && g_inf_name[0] ? g_inf_name : what;
    char reading[STR_LEN] = "";
    if (std::strcmp(file, what) != 0) std::snprintf(reading, sizeof reading, "reading: %s", what);
    MACIBM_alert("File-scanning error!", reading, "file:", file, ALERT_FATAL);
    return 0;
}

int intscan(const char* label)
{
    std::istream& in = cur_in();
    int32_t v = 0;
    if (inf_is_bin) {
        read_raw4(in, &v);
    } else {
        in >> v;
    }
    return scancheck(label) ? v : 0;
}

float fltscan(const char* label)
{
    std::istream& in = cur_in();
    float v = 0.0f;
    if (inf_is_bin) {
        read_raw4(in, &v);
    } else {
        in >> v;
    }
    return scancheck(label) ? v : 0.0f;
}

int bolscan(const char* label) { return intscan(label) == 1 ? 1 : 0; }

// Reads up to and including the next line end, or to the end of the file.
static void skip_line(std::istream& in)
{
    for (;;) {
        int c = in.get();
        if (c == std::char_traits<char>::eof()) {
            accept_eof(in);
            return;
        }
        if (is_eol(c)) {
            finish_eol(in, c);
            return;
        }
    }
}

void rln(const char* label)
{
    if (!scancheck(label)) return;
    skip_line(cur_in());
    scancheck(label);
}

// Stores character c as the next of a word or line of at most size - 1 characters, keeping it
// terminated; once full, later characters overwrite the last place.
static void put_char(char* buf, int size, int& n, char c)
{
    if (size <= 1) return;
    if (n < size - 1) {
        buf[n++] = c;
        buf[n] = 0;
    } else {
        buf[size - 2] = c;
    }
}

static void terminate(char* buf, int size, int n)
{
    if (size > 0) buf[n < size ? n : size - 1] = 0;
}

char* wrdscan(char* buf, const char* label, int size, int fixed)
{
    std::istream& in = cur_in();
    int n = 0;
    terminate(buf, size, 0);
    if (!scancheck(label)) return buf;

    // Skip leading blanks, tabs and line ends; c becomes the word's first character.
    int c;
    for (;;) {
        c = in.get();
        if (!scancheck(label)) return buf;
        if (c == ' ' || c == '\t') continue;
        if (is_eol(c)) {
            finish_eol(in, c);
            continue;
        }
        break;
    }

    if (fixed) {
        int want = size - 1;  // characters in the word
        for (int k = 0; k < want; k++) {
            if (k > 0) {
                int p = in.peek();
                if (is_eol(p)) break;  // a short word at the end of its line
                c = in.get();
                if (c == std::char_traits<char>::eof()) {
                    accept_eof(in);
                    break;
                }
            }
            put_char(buf, size, n, static_cast<char>(c));
            if (k == want - 1) {
                // The separator after a complete word, unless the line or the file ends there.
                int p = in.peek();
                if (p == std::char_traits<char>::eof()) {
                    accept_eof(in);
                } else if (!is_eol(p)) {
                    in.get();
                }
            }
        }
        // With size 1 or less the word has no characters: c, already read, was its separator.
    } else {
        for (;;) {
            put_char(buf, size, n, static_cast<char>(c));
            int p = in.peek();
            if (p == std::char_traits<char>::eof()) {
                accept_eof(in);
                break;
            }
            if (is_eol(p)) break;
            c = in.get();
            if (c == ' ' || c == '\t') break;
        }
    }
    terminate(buf, size, n);
    scancheck(label);
    return buf;
}

char* strscan(char* buf, const char* label, int size)
{
    std::istream& in = cur_in();
    int n = 0;
    terminate(buf, size, 0);
    if (!scancheck(label)) return buf;

    if (inf_is_bin) {
        if (size <= 0) return buf;
        in.read(buf, size);
        buf[size - 1] = 0;
        if (in.fail()) terminate(buf, size, 0);
        scancheck(label);
        return buf;
    }

    while (in.peek() == ' ') in.get();
    for (;;) {
        int c = in.get();
        if (c == std::char_traits<char>::eof()) {
            accept_eof(in);
            break;
        }
        if (is_eol(c)) {
            finish_eol(in, c);
            break;
        }
        put_char(buf, size, n, static_cast<char>(c));
    }
    terminate(buf, size, n);
    scancheck(label);
    return buf;
}

void wrong_version_alert(const char* path, int severity)
{
    MACIBM_alert("The following file is the wrong version for this version of Kestrova:", path,
                 "Throw that file away. You should only use the files that came with the program.",
                 "You may have to re-install Kestrova from the CD.", severity);
}

int file_opens(const char* path)
{
    if (!path || !path[0] || PLT_names_a_pipe(path)) return 0;
    return std::ifstream(path, std::ios::in | std::ios::binary).is_open() ? 1 : 0;
}

int inf_open(const char* path, int type, int version, int alert)
{
    close_input(inf1);
    inf_is_bin = is_binary_type(type) ? 1 : 0;
    if (!path || !path[0] || PLT_names_a_pipe(path)) return 0;
    inf1.open(path, std::ios::in | std::ios::binary);
    if (!inf1.is_open() || !inf1.good()) {
        close_input(inf1);
        return 0;
    }
    std::snprintf(g_inf_name, sizeof g_inf_name, "%s", path);

    // The first byte or line: the byte order, and for text a line end right after the letter.
    int c = inf1.get();
    if (inf_is_bin) {
        if (c != 'a' && c != 'i') {
            close_input(inf1);
            return 0;
        }
        rev_inf_bin = (c == 'a') ? 1 : 0;
    } else {
        int e = inf1.get();
        if ((c != 'A' && c != 'I') || !is_eol(e)) {
            close_input(inf1);
            return 0;
        }
        finish_eol(inf1, e);
    }

    // The version, read from inf1 whichever input the scanners are on.
    int32_t v = 0;
    bool got = inf_is_bin ? read_raw4(inf1, &v) : static_cast<bool>(inf1 >> v);
    if (!got) {
        if (alert) MACIBM_alert("File-scanning error!", "", "file:", path, ALERT_FATAL);
        close_input(inf1);
        return 0;
    }
    if (v != version) {
        if (alert) wrong_version_alert(path, ALERT_FATAL);
        close_input(inf1);
        return 0;
    }

    // The rest of the version line.
    if (!inf_is_bin) skip_line(inf1);
    return inf1.good() || (inf1.eof() && !inf1.fail()) ? 1 : 0;
}

int ouf_open(const char* path, int type, int version)
{
    drop_output();
    const char* p = path ? path : "";
    // A link is followed, so the file it names is replaced and the link stays. A device is written
    // in place: there is nothing to replace. A pipe or a socket is refused: opening it would wait
    // for a reader, for ever if none comes.
    std::error_code ec;
    std::filesystem::path target = p;
    if (p[0] && std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
        std::filesystem::path real = std::filesystem::canonical(target, ec);
        if (!ec) target = real;
    }
    const std::filesystem::file_status st = std::filesystem::status(target, ec);
    const bool in_place = std::filesystem::exists(st) && !std::filesystem::is_regular_file(st);
    const std::string t = target.string();
    int refused = 0;
    if (!p[0] || t.size() >= sizeof g_ouf_path) refused = ENAMETOOLONG;
    else if (PLT_names_a_pipe(t.c_str())) refused = NEWFILE_PIPE;
    if (refused) {
        save_alert(p, refused);
        return 0;
    }
    std::snprintf(g_ouf_path, sizeof g_ouf_path, "%s", t.c_str());
    // The writing goes to a file of its own, made anew beside the old one: a file, folder or link
    // that already has the name is passed over, never opened, and a second save of the same file
    // running at once writes a file of its own too, so each rename puts a whole file in place. A
    // file that may not be written is not replaced, and the new one keeps the old one's owner and
    // permissions.
    int error;
    if (in_place) {
        errno = 0;
        ouf.open(g_ouf_path, std::ios::out | std::ios::trunc | std::ios::binary);
        error = errno;
    } else {
        error = make_replacement_file(g_ouf_path, ".tmp", g_ouf_tmp, sizeof g_ouf_tmp, [](const char* name) {
            ouf.open(name, std::ios::out | std::ios::binary | std::ios_base::__noreplace);
            return ouf.is_open();
        });
    }
    if (ouf.is_open()) {
        if (is_binary_type(type)) {
            char head[5] = {'i'};
            int32_t v = version;
            std::memcpy(head + 1, &v, 4);
            ouf.write(head, 5);
        } else {
            ouf.setf(std::ios::fixed, std::ios::floatfield);
            ouf.precision(6);
            ouf << "I\n" << version << " version\n";
        }
    }
    if (!ouf.is_open() || !ouf.good()) {
        drop_output();
        save_alert(p, error);
        return 0;
    }
    return 1;
}

int ouf_close(const char* path)
{
    bool ok = ouf.is_open();
    if (ok) ouf.flush();
    ok = ok && ouf.good();
    ouf.close();
    ok = ok && !ouf.fail();
    ouf.clear();
    int error = 0;
    // The finished file replaces the old one in one step: a reader, a crash or a kill meets either
    // the whole old file or the whole new one.
    if (ok && g_ouf_tmp[0] && std::rename(g_ouf_tmp, g_ouf_path) != 0) {
        error = errno;
        ok = false;
    }
    if (ok) g_ouf_tmp[0] = 0;
    drop_output();
    if (!ok) save_alert(path ? path : "", error);
    return ok ? 1 : 0;
}

void ouf_abandon(void) { drop_output(); }

int ap_dir(const char* dir, char* path)
{
    char out[STR_LEN];
    int n = std::snprintf(out, sizeof out, "%s%s/%s", app_path, dir ? dir : "", path);
    if (n < 0 || n >= STR_LEN) {
        path[0] = 0;
        return 0;
    }
    std::memcpy(path, out, static_cast<size_t>(n) + 1);
    return 1;
}
