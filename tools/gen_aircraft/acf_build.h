// acf_build.h -- turns a parsed aircraft description into an aircraft record, checks that the
// record describes a complete aircraft that the simulator can fly, and writes the aircraft file.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "acf_desc.h"
#include "acf_fields.h"

// A record being built, with the description line that set each 4-byte word (0: not given).
struct AcfBuild {
    std::string file;                   // the description, for messages
    std::string output;                 // the aircraft file's path below the program folder
    std::unique_ptr<planestruct> rec;   // zeroed, then filled by the description
    std::vector<int> line_of;           // per 4-byte word of the record

    AcfBuild();
    // The line that set the element at byte offset off, 0 when none did.
    int given_at(int off) const { return line_of[off / 4]; }
    bool given(int off) const { return line_of[off / 4] != 0; }
};

// Fills b from the description: field statements first, then directives in file order, then the
// fields the tool itself sets (file names, gear state). On an error returns false with *err
// naming the file, the line and the field.
bool acf_build(const Description& d, AcfBuild* b, std::string* err);

// Checks the built record: every field the aircraft needs is given, every value is in range, and
// the design passes the loader's own checks. Returns the problems found, one message each
// ("<file>: <field>: <what>"); empty when the record is good.
std::vector<std::string> acf_check(const AcfBuild& b);

// Reads, builds and checks the description at desc_path and writes the aircraft file below
// program_dir. The file is written under a temporary name and renamed into place only when whole,
// so a failure leaves no aircraft file behind. Returns false with the messages in *errs.
bool acf_generate(const std::string& desc_path, const std::string& program_dir, std::vector<std::string>* errs);
