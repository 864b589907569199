// hl_plane.cpp -- reading and writing the aircraft file, and its byte-order swap.
#include "hl_plane.h"

#include "hl_file.h"
#include "hl_wind.h"

#include <cstring>

// The record being read, committed to pln[p] only once it is whole.
static planestruct g_scratch;

void rev_pln_record(planestruct* rec)
{
    unsigned char* bytes = reinterpret_cast<unsigned char*>(rec);
    for (const pln_field& f : pln_fields) {
        if (f.kind != PLN_SWAP) continue;
        for (int32_t at = f.offset; at < f.offset + f.bytes; at += 4) rev_byte_order4(bytes + at);
    }
}

void rev_pln_bytes(int p)
{
    if (p < 0 || p > 1) return;
    rev_pln_record(&pln[p]);
}

// Every text of every text field ends inside its array, whatever the file held.
static void terminate_texts(planestruct* rec)
{
    char* bytes = reinterpret_cast<char*>(rec);
    for (const pln_field& f : pln_fields) {
        if (f.kind != PLN_TEXT) continue;
        for (int32_t end = PLN_TEXT_LEN; end <= f.bytes; end += PLN_TEXT_LEN) bytes[f.offset + end - 1] = 0;
    }
}

static int32_t reversed(int32_t v)
{
    rev_byte_order4(&v);
    return v;
}

// The byte-order probe: asi_units is 1 or 2 in every aircraft. When it reads 1 or 2 the record is in
// this machine's order; when it does reversed, the other. When neither tells (a design whose units
// were never set), the header's byte-order letter decides.
static bool needs_swap(const planestruct* rec, int header_reversed)
{
    int32_t a = rec->asi_units;
    if (a == 1 || a == 2) return false;
    int32_t r = reversed(a);
    if (r == 1 || r == 2) return true;
    return header_reversed != 0;
}

// The header of a file that inf_open refused: an aircraft file's letter and a version other than
// ours tells a wrong version from a damaged file.
static bool other_version(const char* path)
{
    std::ifstream f(path, std::ios::in | std::ios::binary);
    unsigned char b[5];
    if (!f.read(reinterpret_cast<char*>(b), 5)) return false;
    if (b[0] != 'i' && b[0] != 'a') return false;
    int32_t v;
    std::memcpy(&v, b + 1, 4);
    if (b[0] == 'a') v = reversed(v);
    return v != ACF_VERSION;
}

AcfReadResult read_plane_record(const char* path, planestruct* rec, int version_fatal)
{
    if (!rec || !file_opens(path)) return ACF_READ_MISSING;
    if (!inf_open(path, ACF_TYPE, ACF_VERSION, version_fatal ? 1 : 0)) {
        inf1.close();
        inf1.clear();
        return !version_fatal && other_version(path) ? ACF_READ_VERSION : ACF_READ_DAMAGED;
    }
    int header_reversed = rev_inf_bin;
    inf1.read(reinterpret_cast<char*>(&g_scratch), sizeof g_scratch);
    bool whole = inf1.gcount() == static_cast<std::streamsize>(sizeof g_scratch);
    inf1.close();
    inf1.clear();
    if (!whole) return ACF_READ_DAMAGED;
    if (needs_swap(&g_scratch, header_reversed)) rev_pln_record(&g_scratch);
    terminate_texts(&g_scratch);
    std::memcpy(rec, &g_scratch, sizeof g_scratch);
    return ACF_READ_OK;
}

void acf_read_alert(AcfReadResult r, const char* path)
{
    if (r == ACF_READ_VERSION)
        wrong_version_alert(path, ALERT_NOTICE);
    else if (r == ACF_READ_DAMAGED)
        MACIBM_alert("An error occurred during read-in of the aircraft file.",
                     "Either the file has been corrupted, or it is not really an aircraft file.", path, "",
                     ALERT_NOTICE);
}

int read_plane(int p, const char* path)
{
    if (p < 0 || p > 1 || !path) return 0;
    switch (read_plane_record(path, &pln[p], 1)) {
    case ACF_READ_OK: return 1;
    case ACF_READ_MISSING: return 0;  // no such file: the caller falls back or goes without
    default: acf_read_alert(ACF_READ_DAMAGED, path); return 0;
    }
}

int write_plane(int p, const char* path)
{
    if (p < 0 || p > 1) return 0;
    if (!ouf_open(path, ACF_TYPE, ACF_VERSION)) return 0;
    ouf.write(reinterpret_cast<const char*>(&pln[p]), sizeof(planestruct));
    return ouf_close(path);
}
