// hl_btn.h -- immediate-mode entry fields: lamps, switches, choice and code fields, numbers, file
// names and a scrolling name list, each drawn and tested against the pass's click in one call.
//
// Every field is called every pass from its window's update with the window-relative position of
// its anchor and a pointer to the value it edits. It draws itself, applies this pass's click
// (mnw.mouse_clicked at mnw.mx, mnw.my), offers its help text to the help bubble while the mouse is
// over it, and returns 1 when the click changed the value.
#pragma once

// Codes and sizes of the identifier fields: 4 or 6 characters, each 0 blank, 1..10 "0".."9",
// 11..36 "A".."Z".
constexpr int CHARBTN_MAX_CODE = 36;

// A 7 by 7 lamp with its lower-left corner at (x, y); no click.
void block(float x, float y, int lit);
// A switch: a click inside x-2..x+9, y-2..y+9 toggles *flag (lit while non-zero).
int inboolbtn(float x, float y, int* flag, const char* help);
// As inboolbtn on a 0/1 flag, lit when it is 1.
void inintbtn(float x, float y, int* flag, const char* help);
// A radio button: a click inside x..x+10, y..y+10 sets *var = value; lit while *var equals value.
int inonebool(float x, float y, int* var, int value);

// Choice fields: the chosen text in colour 47 at (x, y) and two arrow boxes 15 wide at x + width,
// the upper (y+3 exclusive .. y+23) stepping +1, the lower (y-17 .. y+3) stepping -1, wrapping round.
// in2textbtn chooses 0..1, the others 1..n; *sel is kept inside its range every pass.
int in2textbtn(float x, float y, const char* t0, const char* t1, float width, int* sel);
int in3textbtn(float x, float y, const char* t1, const char* t2, const char* t3, float width, int* sel);
int in4textbtn(float x, float y, const char* t1, const char* t2, const char* t3, const char* t4, float width,
               int* sel);
int in5textbtn(float x, float y, const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
               float width, int* sel);
int in6textbtn(float x, float y, const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
               const char* t6, float width, int* sel);
// The step this pass's click asks of the choice field at (x, y) with its arrows at x + width: 1 on
// the upper box, -1 on the lower, 0 elsewhere or with no click.
int textbtn_step(float x, float y, float width);

// Identifier fields of 4 (s holds 5 bytes) or 6 characters (7 bytes): one cell 10 wide per character
// over y-14..y+20; a click below y+3 steps that character's code +1, from y+3 up -1, held inside
// 0..36. Every pass the text is rebuilt from the codes: characters past the text's end are blanks,
// anything but a blank, digit or capital becomes "0".
int in4charbtn(float x, float y, int colour, char* s);
int in6charbtn(float x, float y, int colour, char* s);

// A file name: a click inside x-20..x, y-7..y+13 runs the open dialog for that kind on name and
// path (400 bytes each); 1 when a file was chosen. The name is shown in colour 47.
int instringbtn(float x, float y, char* name, char* path, int kind, const char* help);

// A number of `digits` places (at most 7), `decimals` of them after the point, in colour `colour`.
// Over column k (x+10k .. x+10(k+1)) a click in the strip y+10..y+20 adds 10^(digits-1-k) /
// 10^decimals, in the strip y-14..y-4 subtracts it; the value is kept inside lo..hi every pass and
// a changed value is rounded to the field's decimals.
int instdbtn_range(float x, float y, int colour, float* v, int digits, int decimals, float lo, float hi,
                   const char* help);
// As instdbtn_range up to the largest number the places show (all nines), from its negative when
// is_signed, else from 0.
int instdbtn(float x, float y, int colour, float* v, int digits, int decimals, int is_signed, const char* help);

// A list of names (40 characters each) and ids (5 each): the 13 entries index-6 .. index+6 from
// the top row at (x, y) downwards, the current one framed in the middle; arrow boxes step index by
// one and the scroll bar's thumb follows the mouse while the button that grabbed it is held. Rows
// outside lo..hi stay blank; index is kept inside lo..hi (lo when the list is empty, hi < lo).
int plot_name_list(float x, float y, const char (*names)[40], const char (*ids)[5], int* index, int lo, int hi);

// The value of the numeric field clicked last (select_ctr and select_ind live with the event loop).
extern float select_val;
