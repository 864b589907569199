// tool_program.h -- the library's program description and callbacks for a command-line tool, which
// opens no window and has no menus.
#pragma once

// Names the tool in the library's program description. With print_alerts, every alert goes to the
// error output as "<name>: line1 line2 line3 line4" instead of a message box (a fatal one still
// ends the tool with status 1).
void tool_start(const char* name, bool print_alerts);
