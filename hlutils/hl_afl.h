// hl_afl.h -- part files: airfoils (".afl") and flaps (".flp"), read into the tables and written from
// the synthesis.
//
// A part file is a versioned text file (version 363) whose third line holds its type code: 1234 for
// an airfoil, 2345 for a flap. Then the constants line, and the tables: an airfoil's lift and drag
// rows from -90 to +90 degrees, a flap's 51 rows of added lift, drag and moment.
#pragma once
#include "hl_airfoil.h"
#include "hl_foilsynth.h"

constexpr int PART_FILE_VERSION = 363;
constexpr int AFL_TYPE_CODE = 1234;
constexpr int FLP_TYPE_CODE = 2345;
constexpr int PART_FILE_TYPE = 207;  // what the readers pass to inf_open: any text file

// Reads the airfoil file afl_path + name into afl[p] at [part][tip][hire] (tip 0 root, 1 tip; hire
// 0 low, 1 high Reynolds number) and returns the file's positive stall angle through almax.
// used_by names the part in the alerts. A missing, damaged or wrong-kind file gets its alert and
// leaves afl[p] as it was: the tables change only once the whole file has been read. Returns 1 when
// loaded, else 0.
int grabafoil(const char* name, int part, int tip, int hire, float* almax, int p, const char* used_by);

// Reads the flap file flp_path + name: its 51 rows of added lift, drag and moment at the
// deflection fractions h/50 go to clflap, cdflap, cmflap, which change only when the whole file
// has been read. Returns 1 when loaded, else 0 after the alert.
int grabflap(const char* name, float clflap[FLAP_ROWS], float cdflap[FLAP_ROWS], float cmflap[FLAP_ROWS]);

// Writes the part file of an airfoil (device DEVICE_AIRFOIL: its constants at [0][0][0] and the
// scalar constants, with the 541-entry curves) or a flap (DEVICE_FLAP: its nine constants and the
// 401-entry curves, every eighth entry a row). Returns 1 when the whole file was written, 0 after
// the save alert or when a value is not a finite number (nothing is then written).
int afl_write_part(const char* path, int device, airfoilstruct* a, const foilcurvestruct* c);

// Reads back only the constants of a part file of the given device into a ([0][0][0] and the
// scalar constants), for the editor to regenerate the curves from. Returns 1 when read, 0 when the
// file cannot be opened or is damaged, -1 when it holds the other kind of part. a changes only on 1.
int afl_read_constants(const char* path, int device, airfoilstruct* a);

// The thickness ratio of the part file at path, read without any alert: 1 with *trat when it is an
// airfoil, 0 when there is no file to open, -1 when the file is no airfoil that can be read (a flap
// or a file of another type, another version, or damaged). *trat changes only on 1.
int afl_read_thickness(const char* path, float* trat);
