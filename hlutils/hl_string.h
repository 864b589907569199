// hl_string.h -- text helpers and the small packed codes of the data files: bounded string copy
// and join, digits and numbers, the identifier code, scenery-square file names, the runway-lights
// code, the cell flag word and the terrain textures of a loaded region.
#pragma once

// ---- strings --------------------------------------------------------------------------------------
// Destinations are 400-character arrays (STR_LEN). The copy and join calls never write more than
// 400 bytes: longer results are cut at 399 characters and always terminated. Source and
// destination may be the same array.

void C_to_C(const char* src, char* dst);                    // a null src leaves dst as it is
void C_plus_C(const char* a, const char* b, char* dst);     // dst = a + b
void app_C(char* dst, const char* s);                       // dst += s
int str_is_int(const char* s);      // every character a digit (the empty string counts)
int str_is_frac(const char* s);     // "d/d" with both outer characters' char_to_int above 0
int str_to_int(const char* s);      // 1 to 4 digits, else -1
float str_to_frac(const char* s);   // first / third of a 3-character string, else -1
// Decimal text of n, "-" before negatives, no leading zeros; dst holds at least 12 bytes.
void int_to_str(int n, char* dst);
int char_to_int(char c);            // '1'..'9' 1..9, '+' 1, '-' -1, else 0
char int_to_char(int n);            // 1..9 '1'..'9', else '0'

// ---- identifier code: 0 space, 1..10 '0'..'9', 11..36 'A'..'Z' -------------------------------------

constexpr int ID_CODES = 37;
char code_to_char(int k);           // outside 0..36 gives '0'
int char_to_code(char c);           // anything but a space, digit or capital gives 1

// ---- scenery-square names -------------------------------------------------------------------------

// The file of the square whose south-west corner is (lat, lon), whole degrees: with folder = 1 the
// 10-degree block folder and the file ("+030-120/+034-118.env"), with folder = 0 the file in
// "United States" ("United States/+034-118.env"). dst holds 400 bytes.
void return_latlon_str_ENV(int lat, int lon, char* dst, int folder);
// The coastline file of the 10-degree block holding the position ("+030-120.cst"); dst 400 bytes.
void return_latlon_str_COAST(float lat, float lon, char* dst);

// ---- runway-lights code -----------------------------------------------------------------------------
// S * 1000000 + end0 * 1000 + end1, each end A * 100 + B * 10 + C: A glide-slope light kind 1..3,
// B runway light kind 1..6, C approach light kind 1..6; S 1..5 gives surface texture 61 + S.

void code_to_lgts(int* surface, int A[2], int B[2], int C[2], int code);
int lgts_to_code(int surface, const int A[2], const int B[2], const int C[2]);

// ---- cell flag word ----------------------------------------------------------------------------------
// Bits 0..4 five flags, bits 5..8 the corner orientation A, B, C, D of the cell's texture
// coordinates, bit 9 + n the custom terrain texture 2000 + n (n 0..19).

// The four corner orientations (s, t of corners c0..c3, stored order).
extern const float ST_ORIENT_A[8];
extern const float ST_ORIENT_B[8];
extern const float ST_ORIENT_C[8];
extern const float ST_ORIENT_D[8];

void int_to_bol(int* f0, int* f1, int* f2, int* f3, int* f4, float st[2][2][2], int* tex, int word);
int bol_to_int(int f0, int f1, int f2, int f3, int f4, const float st[2][2][2], int tex);

// ---- terrain textures of the region --------------------------------------------------------------------

enum {
    TEX_WATER = 50,
    TEX_WAT_FLAT_EDGE = 51, TEX_WAT_FLAT_OUTER = 52, TEX_WAT_FLAT_INNER = 53,
    TEX_FLAT = 54,
    TEX_STEEP_FLAT_EDGE = 55, TEX_STEEP_FLAT_OUTER = 56, TEX_STEEP_FLAT_INNER = 57,
    TEX_STEEP = 58,
    TEX_WAT_STEEP_EDGE = 59, TEX_WAT_STEEP_OUTER = 60, TEX_WAT_STEEP_INNER = 61,
    TEX_CUSTOM = 2000,
};

// Stores cell (i, j)'s texture and the s, t of its four corners.
void set_st(int i, int j, float s0, float t0, float s1, float t1, float s2, float t2, float s3, float t3,
            int tex);
// Places the transition tiles where cells of `kind` meet cells of `neighbour`.
void new_border(int kind, int neighbour, int edge, int outer, int inner, int ni, int nj);
// Chooses water, flat or steep land for every cell of the ni by nj point grid, then the transitions.
void assign_terrain_texes(int ni, int nj);
