// atc.h -- the air-traffic controllers: the pilot's options menu, the answers to requests, the
// vectors to an approach and the filed flight plan from clearance to the ramp.
//
// Everything here runs from a menu choice or from the once-per-second update and returns at once:
// sentences are queued for speaking, never waited for, and the once-per-second work reads no file
// and allocates nothing.
#pragma once

// The options menu over the outside view (atc.menu_up): draws its list each frame (clicked 0), or
// carries out the line under the mouse or the arrow keys' selection (clicked 1). Lines that do not
// apply are not drawn; choosing one closes the menu.
void plot_atc_options(int clicked);

// Main-list row r (0..18) of the options menu as things stand: 0 not offered, 1 offered, 2 offered
// as the suggested next call; its text in *text when text is not null.
int atc_option(int r, const char** text);

// Whether airport or navaid `index` belongs in the list of the present menu level: level 1 the
// region's towered airports, 4 all the region's airports, 5 its towered ones, 6 its navaids of type 4,
// 7 those of type 5.
int use_apt(int index);
int use_nav(int index);

// Answers a request sentence ("request taxi <airport>", "request vectors <airport>", "request I L S
// <navaid>", "wind check", "declaring an emergency" ...) with the pilot's call sign and the
// controller's instruction. A place that is not in the region gets no answer; an unknown request
// gets "say again please.". The ILS and localizer requests start vectors, which the once-per-second
// update keeps going by calling again with atc.ils_command until the localizer is intercepted.
void controller_respond(const char* request);

// Moves the filed and activated plan on: pilot_called is 1 when the pilot checked in on the new
// frequency (or picked the plan up), 0 from the once-per-second update.
void handle_plan(int pilot_called);

// Forgets the controllers' timers, the last assigned vectors and the menu's mouse position (a new
// flight; atc and fpl are cleared by the caller).
void reset_atc(void);
