// speak.h -- the call-outs' voice (the espeak-ng synthesiser, used only by the gen_sounds tool).
#pragma once
#include "gsn.h"

#include <string>
#include <vector>

// Starts the synthesiser; returns 0, or nonzero with the reason in `err`.
int speak_init(std::string& err);
// Speaks `words` into samples in -1..1 at GSN_RATE; returns 0 on success (a GsnSpeaker).
int speak_words(const char* words, std::vector<float>& out);
void speak_close();
