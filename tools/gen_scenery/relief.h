// relief.h -- the land of the default region: coastline, islands, lakes, mountain ridges, valley
// floors and a seeded fractal roughness, with the airports of the database on flat ground.
#pragma once
#include <cstdint>
#include <vector>

struct sc_runway {
    double lat, lon;        // centre, degrees
    double hdg;             // true heading, degrees
    double len, wid;        // m
};

struct sc_airport {
    char id[5];
    double elev;            // m
    std::vector<sc_runway> rwy;
};

struct sc_world {
    std::vector<sc_airport> apts;
    uint32_t seed = 1;
};

// Reads the airports and runways of an airport database ("apt.dat"). Returns 0 when it cannot be
// opened or read (the reason goes to the error output).
int sc_load_airports(const char* path, sc_world* w);

// 1 when (lat, lon) lies in the open sea (islands excluded).
int sc_is_sea(double lat, double lon);
// 1 when (lat, lon) lies in a lake; *level is its surface height (m).
int sc_is_lake(double lat, double lon, double* level);
// Distance (km) from (lat, lon) to the mainland coast.
double sc_coast_km(double lat, double lon);

// The land's height (m) before the airports are levelled: valley floors, ridges and roughness.
double sc_natural_height(const sc_world& w, double lat, double lon);

// The height (m) with the airports levelled: their ground is their elevation, blended into the
// land around over a few kilometres.
double sc_height(const sc_world& w, double lat, double lon);

// 1 when the cell spanning lat0..lat1, lon0..lon1 touches a runway (with a margin): such a cell is
// never water.
int sc_cell_has_runway(const sc_world& w, double lat0, double lon0, double lat1, double lon1);
