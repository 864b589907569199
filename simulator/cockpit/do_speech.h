// do_speech.h -- the controllers' voice: showing and speaking a sentence, and the pieces of radio
// phraseology that sentences are built from.
//
// Sentences are 400-character buffers built by appending; a piece that would pass 399 characters is
// cut. Frequencies, headings and squawk codes are written digit by digit with blanks between, so
// the speech engine reads them as single digits; other numbers are written whole.
#pragma once

// Starts the speech engine; 1 when it is ready. Without it sentences are only shown.
int initspeechsynth(void);

// Keeps the sentence (cut at 399 characters) in atc.response, shows it for 0.1 s per character
// when text output is on, and queues it for speaking when the engine is there and voice output is
// on. Never waits for the speech. A sentence the engine refuses raises "Can't speak ATC command!".
void speakstring(const char* sentence);

// The active runway of airport (index into the airport table): the end facing the wind, or the end
// of the runway whose localizer (within 5 nm, course nearest the wind) serves it; with a calm wind
// and no localizer the first end of the first runway. The wind comes from the airport's report in
// "WORLD.RWX", or the present wind when there is none. Runways numbered 99 are skipped. Returns 0 when the airport has no runway (outputs
// untouched); else 1 with the runway index, its end (0 the numbered end, 1 the other), whether a
// localizer serves it and that navaid's slot.
int get_active_rway(int airport, int* runway, int* end, int* have_ils, int* ils_nav);
// "runway 27" and " left", " right" or " center" for a parallel runway's active end.
void app_current_rway_string(char* buf, int airport);
// Builds the ATIS broadcast of airport with the information letter (A..Z) into buf (replacing its
// text), from the simulator's present weather, or from the airport's report in "WORLD.RWX" when
// read_weather is set and there is one.
void get_ATIS(int airport, char letter, char* buf, int read_weather);

// Starts buf with a call sign: own = 1 the aircraft's name and its tail number spelled
// phonetically; own = 0 a made-up "N" number, spelled. Every spelled character ends with a blank.
void start_command_string(char* buf, int own);
// "1 2 1 point 5 0" for 121 MHz and 50 hundredths.
void app_freq(char* buf, int mhz, int hundredths);
// A random controller's frequency: 118..134 MHz, the hundredths a multiple of 5.
void app_random_freq(char* buf);
// Four random digits 0..7 with blanks between.
void app_squawk(char* buf);
// The heading wrapped into 0..359, rounded to the step, 0 said as 360, as three spaced digits.
void app_heading_string(char* buf, float heading, int step);
// "turn left heading " or "turn right heading " by the shorter way from the magnetic heading, then
// the heading as app_heading_string writes it.
void app_turn_string(char* buf, float heading, int step);
// "altimeter 29.92" with US units, else "area QNH 1013.".
void app_altimeter_string(char* buf, float inches);
// Direction (degrees), speed, variation and gust (knots): calm, light and variable, the wind with
// its variation and gust, and the shear alert before a gust above 5 knots.
void app_wind_string(char* buf, float direction, float speed, float variation, float gust);
// One aircraft type fitting the altitude (feet).
void app_rand_plane(char* buf, float altitude_ft);
// Speaks one random background call. with_self lets it address the user's aircraft now and then;
// after_plan also lets it hand the user to a new frequency. 1 when it vectored the user's aircraft.
int make_random_call(int with_self, int after_plan);
// Appends a turn to heading (rounded to heading_step) when it differs from the last assigned one
// by more than 5 degrees, and a climb or descent to the altitude (feet, rounded to alt_step, kept
// 1500 ft above the ground) when the aircraft is off it or it changed; force gives both. 1 when it
// gave any instruction.
int vector_me(float heading, int heading_step, float altitude_ft, int alt_step, int force, char* buf);
// Forgets the last assigned heading and altitude (a new flight).
void reset_vectors(void);
