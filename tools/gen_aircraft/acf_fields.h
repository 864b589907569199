// acf_fields.h -- the aircraft record's fields by name, with their element kind and dimensions,
// taken from the record's own field list so that a description can name any field.
#pragma once
#include <string>

#include "hl_plane.h"

enum AcfElem { ACF_INT, ACF_FLOAT, ACF_TEXT };

struct AcfField {
    const char* name;
    int offset;      // bytes from the start of the record
    AcfElem elem;
    int kind;        // PLN_TEXT, PLN_SWAP or PLN_KEEP
    int rank;        // number of indices a single element takes (a text counts as one element)
    int dim[3];      // extent of each index, outermost first (unused ones 1)
    int elem_bytes;  // 4, or the text length for text fields
    int count;       // elements in the whole field
};

// The field named name, or nullptr.
const AcfField* acf_field(const std::string& name);

// Every field in record order.
int acf_num_fields(void);
const AcfField& acf_field_at(int i);

// Byte offset in the record of element idx[0..n-1] of f (n may be below f.rank: the first element
// of that row). Returns -1 when an index is out of range or there are too many.
int acf_element_offset(const AcfField& f, const int* idx, int n);

// "name[i][j]" for the element at byte offset off of f.
std::string acf_element_name(const AcfField& f, int off);
