// hl_opensave.cpp -- the modal open and save dialog: folder listing, filtering, scrolling, folders.
#include "hl_opensave.h"

#include "hl_event.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

int g_file_type = 0;
int g_num_items = 0;
int g_item_top = 0, g_item_bot = 0;
char g_name[OS_MAX_ITEMS][OS_NAME_LEN];
char g_path[OS_MAX_ITEMS][400];
int g_is_folder[OS_MAX_ITEMS];

static_assert(sizeof g_path[0] == STR_LEN, "listed paths are the suite's path strings");

namespace {

// Layout of the 320 by 488 dialog, window units.
constexpr float LIST_X1 = 10, LIST_Y1 = 34, LIST_X2 = 293, LIST_Y2 = 440;
constexpr float BAR_X1 = 296, BAR_Y1 = 34, BAR_X2 = 310, BAR_Y2 = 440;
constexpr float UP_X1 = 10, UP_Y1 = 447, UP_X2 = 310, UP_Y2 = 461;
constexpr float CANCEL_X1 = 10, CANCEL_Y1 = 468, CANCEL_X2 = 310, CANCEL_Y2 = 482;
constexpr float ROW0_Y = 429;        // baseline of the first row shown
constexpr float BAR_FIRST_Y = 433;   // the scroll bar's y for the first entry
constexpr float BAR_LAST_Y = 41;     // ... and for the last (when dragging)
constexpr float THUMB_LAST_Y = 42;   // the thumb's centre for the last entry
// The listing is read again at most this often (s) while the folder stays the same, so the
// dialog follows changes on disk without reading the folder on every pass.
constexpr float RELIST_PERIOD = 0.25f;

struct kind_info {
    int kind;
    const char* ext;       // lower case; nullptr for every file
    char* start;           // start folder, nullptr to keep wrk_path
    const char* caption;   // shown over "Go up a level", nullptr for none
};

const kind_info k_kinds[] = {
    {OS_KIND_AIRFOIL, "afl", afl_path, "'airfoils' folder"},
    {OS_KIND_FLAP, "flp", flp_path, "'flaps' folder"},
    {OS_KIND_AIRCRAFT, "acf", nullptr, nullptr},
    {OS_KIND_SITUATION, "sit", sit_path, "'situations' folder"},
    {OS_KIND_TEXTURE, "bmp", cus_path, "'custom terrain textures' folder"},
    {OS_KIND_OBJECT, "obj", obj_path, "'custom objects' folder"},
    {OS_KIND_ANY, nullptr, nullptr, nullptr},
};

const kind_info* find_kind(int kind)
{
    for (const kind_info& k : k_kinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

// The listing being built: slots filled in the order found, `order` keeps them sorted by full name.
char s_name[OS_MAX_ITEMS][OS_NAME_LEN];
char s_path[OS_MAX_ITEMS][STR_LEN];
int s_folder[OS_MAX_ITEMS];
int s_order[OS_MAX_ITEMS];

int s_caret = 0;       // the caret's colour alternates every pass
int s_dragging = 0;    // the scroll thumb is held

int inside(float x, float y, float x1, float y1, float x2, float y2)
{
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Keeps g_item_top inside the list and g_item_bot at most 40 rows below it; an empty list shows
// no rows at all (g_item_bot below g_item_top).
void limit_rows(void)
{
    if (g_num_items <= 0) {
        g_item_top = 0;
        g_item_bot = -1;
        return;
    }
    g_item_top = intlim(g_item_top, 0, g_num_items - 1);
    g_item_bot = intlim(g_item_top + g_num_items - 1, 0, intmin2(g_item_top + OS_ROWS - 1, g_num_items - 1));
}

// Cuts the last folder off wrk_path, never leaving fewer than floor characters. 1 when it moved.
int go_up(int floor)
{
    int n = static_cast<int>(std::strlen(wrk_path));
    if (n <= floor) return 0;
    int i = n - 2;   // skip the trailing "/"
    while (i >= 0 && wrk_path[i] != '/') i--;
    if (i < 0 || i + 1 < floor) return 0;
    wrk_path[i + 1] = 0;
    return 1;
}

// Refuses the typed name with one line, format with what (and kind) in it, then shows the save dialog
// again with the name as typed (the alert's window takes typing into the same text).
void refuse(const char* format, const char* what, const char* kind = "")
{
    char line[STR_LEN], typed[sizeof g_cs0];
    std::snprintf(line, sizeof line, format, what, kind);
    std::memcpy(typed, g_cs0, sizeof typed);
    MACIBM_alert(line, "", "", "", ALERT_NOTICE);
    std::memcpy(g_cs0, typed, sizeof typed);
    if (!gdone) MACIBM_startwind(WIND_SAVE);
}

// A save name that stays inside the listed folder: not empty or blank, not "." or "..", and
// without folder separators.
int save_name_ok(const char* s)
{
    if (!s[0] || std::strcmp(s, ".") == 0 || std::strcmp(s, "..") == 0) return 0;
    if (std::strchr(s, '/') || std::strchr(s, '\\')) return 0;
    for (const char* p = s; *p; p++)
        if (*p != ' ') return 1;
    return 0;
}

// The name the save dialog gives for the typed name g_cs0, into saved (OS_NAME_LEN + 8 bytes). The
// open dialogs list a kind's files by their ending, in lower or upper case: a name typed without it
// gets it, and one typed in mixed case gets it in lower case. 0 when the name is refused: one that
// would leave the folder, is blank, or (with one clear line) is only the ending.
int save_name(const kind_info* k, char* saved)
{
    std::snprintf(saved, OS_NAME_LEN + 8, "%s", g_cs0);
    if (!save_name_ok(g_cs0)) return 0;
    if (!k || !k->ext) return 1;
    const size_t n = std::strlen(saved), e = std::strlen(k->ext);
    if (!has_kind_ending(saved, k->kind)) {
        std::snprintf(saved + n, OS_NAME_LEN + 8 - n, ".%s", k->ext);
        return 1;
    }
    if (!takeit(saved, k->kind, 0)) std::memcpy(saved + n - e, k->ext, e);
    size_t stem = n - e - 1;
    while (stem > 0 && saved[stem - 1] == ' ') stem--;
    if (stem == 0) {
        refuse("Type a name before the ending '.%s'.", k->ext);
        return 0;
    }
    return 1;
}

// Whether the save dialog may return the name saved in wrk_path: a folder, pipe, socket or device of
// that name (a link counting as what it names) is refused with one line, and an existing file is
// replaced only when the person says so (Cancel keeps the dialog open with the typed name). The
// kind's folder may be missing from the program folder: it is made before the caller writes into
// it; one that cannot be made is left to the caller's failing write to report.
int confirm_save(const char* saved)
{
    namespace fs = std::filesystem;
    char path[STR_LEN];
    if (std::snprintf(path, sizeof path, "%s%s", wrk_path, saved) >= STR_LEN) return 0;
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (fs::is_directory(st)) {
        refuse("'%s' is a folder: type another name for the file.", saved);
        return 0;
    }
    if (fs::is_other(st)) {
        const char* kind = fs::is_fifo(st) ? "a pipe" : fs::is_socket(st) ? "a socket" : "a device";
        refuse("'%s' is %s, not a file: type another name for the file.", saved, kind);
        return 0;
    }
    // The question's window takes no typing, so the typed name stays for a Cancel.
    if (fs::exists(fs::symlink_status(path, ec))) return hl_replace_alert(saved, WIND_SAVE);
    fs::create_directories(fs::path(wrk_path), ec);
    return 1;
}

// Puts name into the typed name g_cs0. A name longer than the typed name holds is cut before its
// kind's ending, which stays whole, so that the dialog proposes a name of the same kind.
void propose_name(const kind_info* k, const char* name)
{
    const size_t n = std::strlen(name), room = sizeof g_cs0 - 1;
    const size_t e = k && k->ext && has_kind_ending(name, k->kind) ? std::strlen(k->ext) + 1 : 0;
    if (n <= room || e == 0) {
        std::snprintf(g_cs0, sizeof g_cs0, "%s", name);
        return;
    }
    std::snprintf(g_cs0, sizeof g_cs0, "%.*s%s", static_cast<int>(room - e), name, name + n - e);
}

// The folder's start for kinds without a start folder: the last folder visited when it lies under
// the program's folder, else the program's folder itself.
void keep_work_folder(void)
{
    size_t a = std::strlen(app_path), w = std::strlen(wrk_path);
    if (w == 0 || w < a || std::strncmp(wrk_path, app_path, a) != 0 || wrk_path[w - 1] != '/')
        std::snprintf(wrk_path, STR_LEN, "%s", app_path);
}

// The folder outline drawn left of a folder's name, baseline y.
void folder_mark(float y)
{
    OGL_line(41, 15, y, 27, y);
    OGL_line(41, 27, y, 27, y + 5);
    OGL_line(41, 27, y + 5, 21, y + 5);
    OGL_line(41, 21, y + 5, 19, y + 7);
    OGL_line(41, 19, y + 7, 15, y + 7);
    OGL_line(41, 15, y + 7, 15, y);
}

void centred_label(float x1, float x2, float y, const char* label)
{
    float len = 6.0f * static_cast<float>(std::strlen(label));
    OGL_string(29, std::round((x1 + x2 - len) / 2), y, label, 800, 6);
}

}  // namespace

int takeit(const char* name, int kind, int is_folder)
{
    if (!name || !name[0] || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return 0;
    if (is_folder) return 1;
    const kind_info* k = find_kind(kind);
    if (!k) return 0;
    if (!k->ext) return 1;
    size_t n = std::strlen(name), e = std::strlen(k->ext);
    if (n < e) return 0;
    const char* tail = name + n - e;
    int all_lower = 1, all_upper = 1;
    for (size_t i = 0; i < e; i++) {
        if (tail[i] != lower(k->ext[i])) all_lower = 0;
        if (tail[i] != upper(k->ext[i])) all_upper = 0;
    }
    return all_lower || all_upper;
}

int has_kind_ending(const char* name, int kind)
{
    const kind_info* k = find_kind(kind);
    if (!name || !k || !k->ext) return 0;
    const size_t n = std::strlen(name), e = std::strlen(k->ext);
    if (n <= e || name[n - e - 1] != '.') return 0;
    for (size_t i = 0; i < e; i++)
        if (lower(name[n - e + i]) != k->ext[i]) return 0;
    return 1;
}

int GetDirItems(int kind)
{
    namespace fs = std::filesystem;
    const size_t base = std::strlen(wrk_path);
    int count = 0;

    std::error_code ec;
    fs::directory_iterator it(fs::path(wrk_path), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        // Folders and plain files only, a link counting as what it names: a pipe, a socket or a
        // device is no file to open or save over.
        std::error_code ec2;
        const int folder = it->is_directory(ec2) ? 1 : 0;
        if (!folder && !it->is_regular_file(ec2)) continue;
        const std::string full = it->path().filename().string();
        if (!takeit(full.c_str(), kind, folder)) continue;
        // The path must fit, with the "/" a folder gets when it is entered.
        if (base + full.size() + static_cast<size_t>(folder) >= STR_LEN) continue;

        // Full: keep the 200 first in name order, dropping whichever falls last.
        int slot;
        if (count == OS_MAX_ITEMS) {
            int last = s_order[OS_MAX_ITEMS - 1];
            if (std::strcmp(full.c_str(), s_path[last] + base) > 0) continue;
            slot = last;
            count--;
        } else {
            slot = count;
        }
        std::snprintf(s_name[slot], OS_NAME_LEN, "%s", full.c_str());
        std::snprintf(s_path[slot], STR_LEN, "%s%s", wrk_path, full.c_str());
        s_folder[slot] = folder;

        int pos = 0;
        while (pos < count && std::strcmp(s_path[s_order[pos]] + base, full.c_str()) < 0) pos++;
        std::memmove(&s_order[pos + 1], &s_order[pos], sizeof s_order[0] * static_cast<size_t>(count - pos));
        s_order[pos] = slot;
        count++;
    }

    for (int i = 0; i < count; i++) {
        int s = s_order[i];
        std::memcpy(g_name[i], s_name[s], sizeof g_name[i]);
        std::memcpy(g_path[i], s_path[s], sizeof g_path[i]);
        g_is_folder[i] = s_folder[s];
    }
    return count;
}

void OPENSAVE_picture(void)
{
    OGL_fillrect(29, LIST_X1, LIST_Y1, LIST_X2 - LIST_X1, LIST_Y2 - LIST_Y1);
    MACIBM_button(LIST_X1 - 1, LIST_Y1 - 1, LIST_X2 + 1, LIST_Y2 + 1, 0);
    OGL_fillrect(29, BAR_X1, BAR_Y1, BAR_X2 - BAR_X1, BAR_Y2 - BAR_Y1);
    MACIBM_button(BAR_X1 - 1, BAR_Y1 - 1, BAR_X2 + 1, BAR_Y2 + 1, 0);

    MACIBM_button(UP_X1, UP_Y1, UP_X2, UP_Y2, 1);
    centred_label(UP_X1, UP_X2, UP_Y1 + 4, "Go up a level");
    MACIBM_button(CANCEL_X1, CANCEL_Y1, CANCEL_X2, CANCEL_Y2, 1);
    centred_label(CANCEL_X1, CANCEL_X2, CANCEL_Y1 + 4, "   Cancel    ");

    if (mnw.topwin == WIND_SAVE) {
        OGL_fillrect(29, 10, 10, 300, 16);
        MACIBM_button(9, 9, 311, 27, 0);
    }
}

void OPENSAVE_update(void)
{
    const kind_info* k = find_kind(g_file_type);
    if (k && k->caption) {
        OGL_fillrect(29, 11, 448, 299, 13);
        OGL_string(41, 15, 451, k->caption, 800, 6);
    }

    int bot = intmin2(g_item_bot, g_num_items - 1);
    for (int i = intmax2(g_item_top, 0); i <= bot; i++) {
        float y = ROW0_Y - 10.0f * static_cast<float>(i - g_item_top);
        if (g_is_folder[i]) {
            folder_mark(y);
            OGL_string(41, 30, y, g_name[i], 190, 6);
        } else {
            OGL_string(46, 30, y, g_name[i], 190, 6);
        }
    }

    if (g_num_items > 1) {
        float y = std::round(interp(0, BAR_FIRST_Y, static_cast<float>(g_num_items - 1), THUMB_LAST_Y,
                                    static_cast<float>(g_item_top)));
        OGL_fillrect(48, BAR_X1, y - 7, 14, 14);
        OGL_line(46, BAR_X1, y - 7, BAR_X1, y + 7);
        OGL_line(46, BAR_X1, y + 7, BAR_X2, y + 7);
        OGL_line(50, BAR_X2, y + 7, BAR_X2, y - 7);
        OGL_line(50, BAR_X2, y - 7, BAR_X1, y - 7);
    }

    if (mnw.topwin == WIND_SAVE) {
        OGL_string(46, 15, 14, g_cs0, 800, 6);
        float x = 6.0f * static_cast<float>(std::strlen(g_cs0)) + 16;
        s_caret = !s_caret;
        OGL_line(s_caret ? 29 : 46, x, 13, x, 21);
    }
}

int MACIBM_opensave(int window, int kind, char* name, char* path)
{
    if ((window != WIND_OPEN && window != WIND_SAVE) || !name || !path) return 0;
    hl_dialog_update = OPENSAVE_update;
    hl_dialog_picture = OPENSAVE_picture;

    g_file_type = kind;
    const kind_info* k = find_kind(kind);
    propose_name(k, name);
    int floor;
    if (k && k->start) {
        std::snprintf(wrk_path, STR_LEN, "%s", k->start);
        floor = static_cast<int>(std::strlen(k->start));
    } else {
        keep_work_folder();
        floor = static_cast<int>(std::strlen(app_path));
    }

    const int before = mnw.topwin;
    g_item_top = 0;
    g_item_bot = 999;
    s_dragging = 0;
    // The first pass already shows this folder, not what the last dialog listed.
    g_num_items = GetDirItems(kind);
    MACIBM_startwind(window);
    float listed_at = mnw.time_elapsed;

    int chosen = 0;
    while (mnw.topwin == window && !gdone) {
        limit_rows();
        MACIBM_event_proc();
        if (mnw.topwin != window || gdone) break;
        const float mx = mnw.mx, my = mnw.my;
        int moved = 0;

        if (window == WIND_SAVE && return_hit) {
            return_hit = 0;
            char saved[OS_NAME_LEN + 8];
            if (save_name(k, saved) && confirm_save(saved)) {
                std::snprintf(name, STR_LEN, "%s", saved);
                std::snprintf(path, STR_LEN, "%s%s", wrk_path, saved);
                chosen = 1;
                break;
            }
            if (mnw.topwin != window || gdone) break;
        }

        // The scroll bar: a click, or a button held over it, grabs the thumb until the button goes up.
        const int on_bar = inside(mx, my, BAR_X1, BAR_Y1, BAR_X2, BAR_Y2);
        if (mnw.now_dragging && on_bar) s_dragging = 1;
        if ((mnw.mouse_clicked && on_bar) || (mnw.now_dragging && s_dragging)) {
            if (g_num_items > 0)
                g_item_top = round(interp(BAR_LAST_Y, static_cast<float>(g_num_items - 1), BAR_FIRST_Y, 0, my));
        }
        if (!mnw.now_dragging) s_dragging = 0;

        if (mnw.mouse_clicked) {
            if (inside(mx, my, CANCEL_X1, CANCEL_Y1, CANCEL_X2, CANCEL_Y2)) break;
            if (inside(mx, my, UP_X1, UP_Y1, UP_X2, UP_Y2)) {
                moved = go_up(floor);
            } else if (inside(mx, my, LIST_X1, LIST_Y1, LIST_X2, LIST_Y2)) {
                int r = round((ROW0_Y + 8 - my) / 10 + static_cast<float>(g_item_top));
                if (r >= g_item_top && r <= g_item_bot && r < g_num_items) {
                    if (g_is_folder[r]) {
                        // Built from the full path: the shown name may have been cut.
                        char next[STR_LEN];
                        if (std::snprintf(next, sizeof next, "%s/", g_path[r]) < STR_LEN) {
                            std::memcpy(wrk_path, next, sizeof next);
                            moved = 1;
                            hl_click_changed_screen();
                        }
                    } else if (window == WIND_OPEN) {
                        const char* slash = std::strrchr(g_path[r], '/');
                        std::snprintf(name, STR_LEN, "%s", slash ? slash + 1 : g_path[r]);
                        std::snprintf(path, STR_LEN, "%s", g_path[r]);
                        chosen = 1;
                        break;
                    }
                }
            }
        }

        const float t = mnw.time_elapsed;
        if (moved || t - listed_at >= RELIST_PERIOD || t < listed_at) {
            g_num_items = GetDirItems(kind);
            listed_at = t;
            if (moved) g_item_top = 0;
        }
    }

    if (!gdone) MACIBM_startwind(before);
    return chosen;
}
