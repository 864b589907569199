// picture.h -- the pictures of the suite for its README: each program started as it is, drawing
// offscreen, and its frame read back after a number of passes into a PNG file.
#pragma once

// What a program's picture run does at its passes (counted from 1). Called at the end of every
// pass, before the frame is shown; returns 1 when the frame of this pass is the picture.
typedef int (*picture_step_fn)(int pass);

// Runs the program's start-up and event loop (run), calling step after each pass; the frame of the
// pass at which step returns 1 is written to path as a compressed PNG and the program is asked to
// end. Returns 0 when the picture was written and the program ended, else 1.
int picture_run(const char* path, int (*run)(void), picture_step_fn step);

// A program's picture main: argv[1] is the PNG to write.
int picture_main(int argc, char** argv, int (*run)(void), picture_step_fn step);
