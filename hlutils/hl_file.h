// hl_file.h -- data files: the streams, the versioned header, and the scanners that read one value
// each and stop the program naming the value when the file does not hold it.
//
// A versioned file starts with its byte order and version. Binary (types 202 and 204): the byte
// "i" (little-endian) or "a" (big-endian), then the version as a 4-byte integer in that order.
// Text (every other type): a line "I" or "A", then a line holding the version and " version".
// Numbers are read and written in the "C" locale; a text line may end in LF, CR or CRLF, and the
// end of the file ends the last line.
#pragma once
#include <fstream>

// Streams. inf1 is the file being read; inf2 a second input read in the middle of it (inf_use
// chooses which one the scanners read). ouf is the data file being written: every writer closes it
// with ouf_close when done, so nothing else ever lands in a data file. err is the error log,
// trk the simulator's output and dump file. They live in a namespace so that their symbols cannot
// meet the C library's err().
namespace hl_streams {
extern std::ifstream inf1, inf2;
extern std::ofstream ouf, err, trk;
}  // namespace hl_streams
using hl_streams::err;
using hl_streams::inf1;
using hl_streams::inf2;
using hl_streams::ouf;
using hl_streams::trk;

extern int inf_use;      // 1: the scanners read inf1, 2: inf2
extern int inf_is_bin;   // the input being scanned is binary
extern int rev_inf_bin;  // the binary input has the other byte order: each 4-byte value is reversed

constexpr int FILE_TYPE_ACF = 202;     // aircraft file, binary
constexpr int FILE_TYPE_SQUARE = 204;  // scenery square, binary

// Opens path on inf1 (closing what it held) and checks its header. Returns 1 when the file is open,
// has a good first line or byte and the expected version; 0 when it cannot be opened (a pipe is
// never opened, as that would wait for a writer) or its header is wrong (silently), or the version
// differs. With alert 1 a wrong version or an unreadable version is fatal.
int inf_open(const char* path, int type, int version, int alert);
// 1 when path names a file that opens for reading, whatever it holds: a reader tells a missing file
// from a damaged one by it. A pipe is not opened, as that would wait for a writer.
int file_opens(const char* path);
// The alert of a file of another version than this program's, naming path, with severity (ALERT_*).
void wrong_version_alert(const char* path, int severity);

// Starts writing path on ouf (dropping what it held) and writes the header in this machine's byte
// order. The writing goes to a file made anew beside path, path + ".tmp" or, when anything already
// has that name, path + ".tmp1" and on, with path's owner and permissions (make_replacement_file);
// path itself is untouched until ouf_close. A file that may not be written (read-only, or not this
// user's to write) and a pipe are refused before anything is made. Returns 1 when the stream is
// good, else raises the save alert (naming path and the reason) and returns 0.
int ouf_open(const char* path, int type, int version);

// Closes ouf and puts the file written in the place of path in one step. Returns 1 when everything
// written reached the file, else leaves path as it was, raises the save alert naming path and
// returns 0.
int ouf_close(const char* path);

// Drops a file being written on ouf without putting it in place (the old file stays as it was).
void ouf_abandon(void);

// Scanners: one value from the input inf_use names. A value that cannot be read raises the fatal
// "File-scanning error!" naming label (the scanner itself then gives 0 or "").
int intscan(const char* label);
float fltscan(const char* label);
int bolscan(const char* label);  // 1 exactly when the integer read is 1

// One word into buf (size bytes, always terminated when size > 0). Leading blanks, tabs and line
// ends are skipped. fixed 0: the word ends at a blank, tab or line end (the blank or tab is
// consumed); characters past size - 1 overwrite the last place. fixed 1: exactly size - 1
// characters from the first non-blank one, blanks included, and the one separator after them is
// consumed. A line end is never taken into a word or consumed as its separator.
char* wrdscan(char* buf, const char* label, int size, int fixed);

// Binary input: size raw bytes into buf, the last one then zeroed. Text: the rest of the line
// without leading blanks and without its line end (which is consumed); at most size - 1
// characters, later ones overwriting the last place.
char* strscan(char* buf, const char* label, int size);

// Skips the rest of the current line, its line end included.
void rln(const char* label);

// Raises the scanning alert when the input has failed. Returns 1 when the input is good.
int scancheck(const char* label);

// path becomes app_path + dir + "/" + path. Returns 1, or 0 with path emptied when the result
// would not fit in 400 characters.
int ap_dir(const char* dir, char* path);

// Reverses the 4 bytes of one int or float in place (as raw bits, never through a float value).
void rev_byte_order4(void* value);
