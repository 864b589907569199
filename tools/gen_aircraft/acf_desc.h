// acf_desc.h -- reads an aircraft description: the readable text from which gen_aircraft builds an
// aircraft record.
//
// A description is a text file of one statement per line; "#" starts a comment that runs to the
// end of the line (outside quoted text). Two kinds of statement:
//
//   field assignments, naming a record field by its record name, in the aircraft file's units
//   (feet, square feet, pounds, horsepower, rpm, degrees, speeds in the airspeed indicator's
//   units):
//       Vne = 163
//       semilen[5] = 8.5
//       anginc[5] = 1.5 1.2 0.9          # fills anginc[5][0], [5][1], [5][2]
//       anginc[5][2] = 0.9
//       Rafl0[5] = "NACA 2412 (popular).afl"
//     A name with all its indices takes one value; with fewer indices the values fill the row it
//     names in record order (and must fit in it), so a row of an array is given on one line.
//     Every element may be given once. A few fields the loader recomputes (element areas, wash
//     tables, body areas, gear springs ...) or the tool itself sets (the file names) cannot be
//     given.
//
//   directives, which fill groups of fields the way the aircraft designer does:
//       output "planes/General Aviation/Cessna 172 Skyhawk/Cessna 172 Skyhawk.acf"
//       mirror 5 -> 4              # copy lifting part 5 to its partner 4, lateral arm negated
//                                  # (hl_design's copy_foil, as the aircraft designer mirrors)
//       copy_body 23 -> 24         # copy a body's outline points to another body
//       section 18 3  6.0 1.8 2.2 -2.4
//                                  # body 18, station 3: elliptic section at z 6.0, half-width
//                                  # 1.8, top at y 2.2 and bottom at y -2.4
//       design_prop 0              # blade angles of propeller 0 from des_vel[0] (knots) and
//                                  # des_rpm[0]: each element at zero angle to its design helix
//     The field assignments are applied first, then the directives in the order they stand.
#pragma once
#include <string>
#include <vector>

// One value of a statement: a number or a quoted text.
struct DescValue {
    bool is_text = false;
    double num = 0.0;
    std::string text;
};

// One statement of a description.
struct DescStatement {
    int line = 0;                  // 1-based line in the file
    bool is_directive = false;
    std::string word;              // field name or directive word
    std::vector<int> index;        // field: the bracketed indices as written
    std::vector<DescValue> values; // field: the values after "="; directive: its arguments
                                   // (for "mirror a -> b" the two numbers a and b)
};

struct Description {
    std::string file;              // the file the text came from, for messages
    std::vector<DescStatement> statements;
};

// Parses a description's text. On a syntax error returns false and sets *err to
// "<file>:<line>: <what>"; *out then holds the statements before the faulty line.
bool desc_parse(const std::string& text, const std::string& file, Description* out, std::string* err);

// Reads and parses a description file; a file that cannot be read is an error naming it.
bool desc_read_file(const std::string& path, Description* out, std::string* err);
