// place_data.h -- puts the data tree the build made (the bundled tree) into a program folder
// without ever touching a file a person saved or changed there.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

// How a folder takes the bundled tree.
enum place_mode {
    // A person's program folder. A file is written only when it is missing or still holds what this
    // placing last put there (the record says which bytes that was); a file the person changed keeps
    // the person's bytes, and a new bundled version of it is written beside it, once, as
    // "<name>.bundled", unless a file of that name is the person's (not missing, nor as a placing
    // wrote it): then it is kept too and the line names the bundled tree's copy. A file the bundled
    // tree no longer has is removed only when still as placed; a "<name>.bundled" never is.
    PLACE_KEEP_CHANGES,
    // A folder only the build uses (the tests' program folder): made equal to the bundled tree,
    // every other file and folder in it removed.
    PLACE_EXACT,
};

struct place_result {
    int written = 0;                  // files written from the bundled tree
    int kept = 0;                     // files the person changed, left as they are
    int removed = 0;                  // files removed
    std::vector<std::string> notes;   // one line for each kept file whose bundled version changed
    std::string error;                // why placing stopped, when it did
};

// The suffix of the new bundled version written beside a file the person changed.
inline constexpr const char* PLACE_BESIDE_SUFFIX = ".bundled";

// Places `bundled` into `folder`. `record` is the file that remembers what was placed (only
// PLACE_KEEP_CHANGES reads and writes it; it lives outside the folder). Returns 0, or nonzero with
// `error` set when a file could not be read or written.
int place_bundled(const std::filesystem::path& bundled, const std::filesystem::path& folder,
                  const std::filesystem::path& record, place_mode mode, place_result& out);
