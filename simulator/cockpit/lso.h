// lso.h -- the landing signal officer, who talks the pilot down a carrier approach.
#pragma once

// Judges the approach from atc.cardxyz (the aircraft from the deck's landing reference), the
// heading and the angle of attack, and speaks at most one short call. Says nothing on the ground
// or when the carrier has not been drawn in the last second (cardxyz would be stale).
void LSO_respond(void);

// Forgets that the ball was called (a new flight).
void reset_lso(void);
