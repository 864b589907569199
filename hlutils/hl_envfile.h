// hl_envfile.h -- the scenery square file (".env"): one degree by one degree of terrain points with
// their cell words, the objects standing in the square and its custom terrain texture names.
//
// Binary form (type 204, version 3 or 4, written as 4): 4800 points, latitude row 0..79 south to
// north outer, longitude column 0..59 west to east inner, each float latitude, float longitude,
// float height (m) and int cell word; then object records until the end record 99 (types 1..6:
// latitude, longitude, height in feet, 0, 0; type 8: latitude, longitude, heading, a 40-byte file
// name); then 20 texture names of 40 bytes. Every value is 4 bytes in the header's byte order.
//
// Text form (read only): the header lines, three skipped lines, per point latitude, longitude,
// height and five 0/1 cell flags, a checkpoint 1, the objects as numbers, then the 20 names as 40
// raw bytes each.
#pragma once
#include <cstdint>

constexpr int ENV_ROWS = 80;           // latitude rows of points, south to north
constexpr int ENV_COLS = 60;           // longitude columns of points, west to east
constexpr int ENV_NAME_LEN = 40;       // bytes of a texture or custom object name in the file
constexpr int ENV_TEXTURES = 20;       // custom terrain textures of a square
constexpr int ENV_MAX_OBJECTS = 60000; // objects a square may hold
constexpr int ENV_VERSION = 4;         // the version written; 3 reads the same
constexpr int ENV_OBJ_END = 99;        // the object list's end record
constexpr int ENV_OBJ_CUSTOM = 8;      // a custom object: heading and file name
constexpr int FILE_TYPE_SQUARE_TEXT = 200;   // the text form is a text data file
// Bytes of a binary square with no objects: header, points, end record, texture names.
constexpr int ENV_BINARY_MIN = 5 + ENV_ROWS * ENV_COLS * 16 + 4 + ENV_TEXTURES * ENV_NAME_LEN;
static_assert(ENV_BINARY_MIN == 77609);

// One object of a square. Heights of the building kinds are feet here and in the file.
struct env_object {
    int32_t type;                  // 1 tower, 2 obstacle, 3..6 other kinds, 8 custom object
    float lat, lon;                // degrees
    float value;                   // height in feet (types 1..6) or heading in degrees (type 8)
    char name[ENV_NAME_LEN + 1];   // custom object file (type 8), always terminated
};

// A square in memory. Point [r][c] lies at row r (south to north) and column c (west to east).
struct env_square {
    float lat[ENV_ROWS][ENV_COLS];   // degrees
    float lon[ENV_ROWS][ENV_COLS];   // degrees
    float h[ENV_ROWS][ENV_COLS];     // m above sea level
    int32_t word[ENV_ROWS][ENV_COLS];   // cell word of the cell whose south-west corner is the point
    int32_t nobj;
    env_object obj[ENV_MAX_OBJECTS];
    char tex[ENV_TEXTURES][ENV_NAME_LEN + 1];   // custom terrain texture names, "" a free slot
};

// What a read found.
enum {
    ENV_READ_OK = 1,
    ENV_MISSING = 0,         // no such file
    ENV_DAMAGED = -1,        // it opened but is short, has a bad record or an impossible value
    ENV_WRONG_VERSION = -2,  // it opened but is not a square of version 3 or 4
};

// The flat water square at sea level that stands in for a missing one (south-west corner lat, lon).
void env_flat_water(int lat, int lon, env_square* sq);

// Writes sq as a binary square of version 4 in this machine's byte order. Returns 1 when the whole
// file reached the disk, else 0 (the streams raise the save alert).
int env_write_square(const char* path, const env_square* sq);

// Reads the binary (text 0) or text (text 1) square at path for the square whose south-west corner
// is (lat, lon); point positions further than a hundredth of a degree outside it make the file
// damaged. The whole file is checked before anything is kept: unless the result is ENV_READ_OK, sq
// holds env_flat_water. No alert is raised; the caller reports what it found.
int env_read_square(const char* path, int lat, int lon, int text, env_square* sq);

// 1 when a name from a square may become part of a path: no folder separators, no "..", printable.
int env_name_is_safe(const char* name);

// The texture number under which custom texture k (0..19) of the square at (lat, lon) is loaded:
// unique for every square of the globe, so neighbouring squares never share one.
int env_custom_tex(int lat, int lon, int k);
