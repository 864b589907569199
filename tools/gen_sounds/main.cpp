// main.cpp -- gen_sounds: writes every generated sound into the program folder given as the only
// argument, speaking the call-outs with espeak-ng.
#include "gsn.h"
#include "speak.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sounds <program folder>\n");
        return 2;
    }
    std::string err;
    if (speak_init(err) != 0) {
        std::fprintf(stderr, "gen_sounds: %s\n", err.c_str());
        return 1;
    }
    int failures = gsn_generate_all(argv[1], speak_words);
    speak_close();
    if (failures) {
        std::fprintf(stderr, "gen_sounds: %d sound(s) could not be made\n", failures);
        return 1;
    }
    return 0;
}
