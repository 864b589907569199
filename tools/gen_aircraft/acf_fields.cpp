// acf_fields.cpp -- the field table, generated from the aircraft record's field list.
#include "acf_fields.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace {

template <class T>
constexpr AcfField describe(const char* name, int offset, int kind)
{
    using E = std::remove_all_extents_t<T>;
    AcfField f{name, offset, ACF_INT, kind, 0, {1, 1, 1}, 4, 1};
    int r = static_cast<int>(std::rank_v<T>);
    int ext[4] = {static_cast<int>(std::extent_v<T, 0>), static_cast<int>(std::extent_v<T, 1>),
                  static_cast<int>(std::extent_v<T, 2>), static_cast<int>(std::extent_v<T, 3>)};
    if (std::is_same_v<E, char>) {
        f.elem = ACF_TEXT;
        f.elem_bytes = ext[r - 1];  // the last extent is the text itself
        r -= 1;
    } else {
        f.elem = std::is_same_v<E, float> ? ACF_FLOAT : ACF_INT;
    }
    f.rank = r;
    for (int k = 0; k < r; k++) {
        f.dim[k] = ext[k];
        f.count *= ext[k];
    }
    return f;
}

#define ACF_DESCRIBE(type, name, dims, kind, offset) \
    describe<decltype(planestruct::name)>(#name, static_cast<int>(offsetof(planestruct, name)), kind),
const AcfField k_fields[] = {PLANE_FIELDS(ACF_DESCRIBE)};
#undef ACF_DESCRIBE

constexpr int k_num_fields = static_cast<int>(sizeof k_fields / sizeof k_fields[0]);

}  // namespace

const AcfField* acf_field(const std::string& name)
{
    for (const AcfField& f : k_fields)
        if (name == f.name) return &f;
    return nullptr;
}

int acf_num_fields(void) { return k_num_fields; }

const AcfField& acf_field_at(int i) { return k_fields[i]; }

int acf_element_offset(const AcfField& f, const int* idx, int n)
{
    if (n > f.rank) return -1;
    int element = 0;
    for (int k = 0; k < f.rank; k++) {
        int i = k < n ? idx[k] : 0;
        if (i < 0 || i >= f.dim[k]) return -1;
        element = element * f.dim[k] + i;
    }
    return f.offset + element * f.elem_bytes;
}

std::string acf_element_name(const AcfField& f, int off)
{
    std::string s = f.name;
    int element = (off - f.offset) / f.elem_bytes;
    int idx[3] = {0, 0, 0};
    for (int k = f.rank - 1; k >= 0; k--) {
        idx[k] = element % f.dim[k];
        element /= f.dim[k];
    }
    for (int k = 0; k < f.rank; k++) s += "[" + std::to_string(idx[k]) + "]";
    return s;
}
