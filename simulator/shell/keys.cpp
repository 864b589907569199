// keys.cpp -- the simulator's character keys: layout remapping, view and menu keys, levers, radios,
// the keys that click the panel, and the options menu's arrow selection.
#include "keys.h"

#include "atc.h"
#include "das.h"
#include "hl_funct.h"
#include "hl_program.h"
#include "hl_sound.h"
#include "hl_types.h"
#include "key_table.h"
#include "panel.h"

void (*key_panel_click)(float x, float y) = manage_das_key;

namespace {

constexpr int LAYOUT_FRENCH = 2, LAYOUT_GERMAN = 3;
constexpr int LAYOUT_BOTH = 0;   // a remap shared by the French and German layouts

// The layouts' remaps in the order they are tried; the first entry matching the typed character
// wins, so a remapped character is never remapped again.
struct key_remap {
    int layout;
    int from, to;
};
const key_remap k_remap[] = {
    {LAYOUT_GERMAN, 'z', 'y'}, {LAYOUT_GERMAN, 'Z', 'Y'}, {LAYOUT_GERMAN, 'y', 'z'}, {LAYOUT_GERMAN, 'Y', 'Z'},
    {LAYOUT_FRENCH, 'q', 'a'}, {LAYOUT_FRENCH, 'Q', 'A'}, {LAYOUT_FRENCH, 'a', 'q'}, {LAYOUT_FRENCH, 'A', 'Q'},
    {LAYOUT_FRENCH, 'z', 'w'}, {LAYOUT_FRENCH, 'Z', 'W'}, {LAYOUT_FRENCH, 'w', 'z'}, {LAYOUT_FRENCH, 'W', 'Z'},
    {LAYOUT_FRENCH, '?', 'M'}, {LAYOUT_FRENCH, 'M', ':'},
    {LAYOUT_GERMAN, 214, ':'},   // O umlaut
    {LAYOUT_BOTH, ',', '.'},
    {LAYOUT_FRENCH, '1', '!'}, {LAYOUT_FRENCH, '4', '$'}, {LAYOUT_FRENCH, '5', '%'},
    {LAYOUT_FRENCH, '6', '^'}, {LAYOUT_FRENCH, '7', '&'}, {LAYOUT_FRENCH, '8', '*'},
    {LAYOUT_FRENCH, '.', '>'}, {LAYOUT_FRENCH, '/', '?'},
    {LAYOUT_GERMAN, ';', '>'}, {LAYOUT_GERMAN, ':', '?'},
    // The French number row: & e-acute " ' ( section e-grave ! c-cedilla a-grave.
    {LAYOUT_FRENCH, '&', '1'}, {LAYOUT_FRENCH, 233, '2'}, {LAYOUT_FRENCH, '"', '3'}, {LAYOUT_FRENCH, '\'', '4'},
    {LAYOUT_FRENCH, '(', '5'}, {LAYOUT_FRENCH, 167, '6'}, {LAYOUT_FRENCH, 232, '7'}, {LAYOUT_FRENCH, '!', '8'},
    {LAYOUT_FRENCH, 231, '9'}, {LAYOUT_FRENCH, 224, '0'},
    {LAYOUT_FRENCH, '^', '['}, {LAYOUT_FRENCH, '$', ']'},
    {LAYOUT_GERMAN, 252, '['}, {LAYOUT_GERMAN, '+', ']'},   // u umlaut and +
};

// The view keys turn the view in 45-degree steps round the aircraft: 504/505 are 45 degrees
// left/right, 506/507 90, 508/509 135, 511 behind, 500 ahead.
struct view_turn {
    int from, to;
};
const view_turn k_view_left[] = {{504, 506}, {506, 508}, {508, 511}, {511, 509}, {509, 507}, {507, 505}, {505, 500}};
const view_turn k_view_right[] = {{505, 507}, {507, 509}, {509, 511}, {511, 508}, {508, 506}, {506, 504}, {504, 500}};

template <int N>
int turned_view(const view_turn (&turns)[N], int view, int otherwise)
{
    for (const view_turn& t : turns)
        if (t.from == view) return t.to;
    return otherwise;
}

int radio_key_tune(char c)
{
    int n;
    const radio_key_entry* table = radio_keys(&n);
    for (int i = 0; i < n; i++) {
        const radio_key_entry& k = table[i];
        if (k.key != c) continue;
        const int supp = pln[0].supptype;
        switch (k.radio) {
        case COM1:
            if (supp == 1 || supp == 7) nav.cf[0] = COMinc(nav.cf[0], k.step);
            break;
        case NAV1:
            if (supp == 1 || supp == 7) nav.nf[0] = NAVinc(nav.nf[0], k.step);
            break;
        case COM2: nav.cf[1] = COMinc(nav.cf[1], k.step); break;
        case NAV2: nav.nf[1] = NAVinc(nav.nf[1], k.step); break;
        case ADF: nav.adff = ADFinc(nav.adff, k.step); break;
        case XPN1: nav.tran1 = XPNinc(nav.tran1, k.step); break;
        case XPN2: nav.tran2 = XPNinc(nav.tran2, k.step); break;
        case XPN3: nav.tran3 = XPNinc(nav.tran3, k.step); break;
        case XPN4: nav.tran4 = XPNinc(nav.tran4, k.step); break;
        }
        return 1;
    }
    return 0;
}

int panel_key_click(char c)
{
    int n;
    const panel_key_entry* table = panel_keys(&n);
    for (int i = 0; i < n; i++) {
        const panel_key_entry& k = table[i];
        if (k.key != c) continue;
        float x = k.dx, y = k.dy;
        if (k.slot == FROM_OSH) {
            x += osh;
        } else if (k.slot == RADIO_X_ONLY) {
            x += ins.x_loc[11];
        } else if (k.slot == ENGINE_X_ONLY) {
            x += ins.x_loc[12];
        } else {
            x += ins.x_loc[k.slot];
            y += ins.y_loc[k.slot];
            if (k.slot == 6 && pln[0].paneltype == 2) y -= 30.0f;
        }
        key_panel_click(x, y);
        return 1;
    }
    return 0;
}

// Engines the record's count lets us index (a damaged count never reaches past the arrays).
int engine_count(void) { return intlim(pln[0].numen, 0, 4); }

// Space: release from the carriage or the tow, else cut a random engine.
void release_or_cut(void)
{
    if (set.incarriage) {
        set.incarriage = 0;
    } else if (set.tow_inprog) {
        set.tow_inprog = 0;
    } else if (engine_count() > 0) {
        flt.mixt[intrand(0, engine_count() - 1)] = 0.0f;
    }
}

// '.': every engine's reverser in or out; the throttles go to the keyboard, idle when going out
// of reverse and full in reverse.
void toggle_reversers(void)
{
    if (!pln[0].revthrustEQ) return;
    set.thro_pot = 0;
    for (int i = 0; i < engine_count(); i++) {
        if (flt.revving_thrust[i]) {
            flt.revving_thrust[i] = 0;
            flt.throrqst[i] = 0.01f;
        } else {
            flt.revving_thrust[i] = 1;
            flt.throrqst[i] = 1.0f;
        }
    }
}

// '!': the autopilot drops every mode but heading select.
void heading_select_only(void)
{
    ott.HDSLCT = 1;
    ott.NAV[0] = ott.NAV[1] = 0;
    ott.ALHOLD = ott.VVHOLD = ott.GS2 = ott.ASHOLD = 0;
}

// The character commands other than menu, panel and radio keys. 1 when c is one of them.
int command_key(int c)
{
    int n;
    const command_key_entry* table = command_keys(&n);
    int k = 0;
    while (k < n && table[k].key != c) k++;
    if (k == n) return 0;
    switch (table[k].command) {
    case KEYCMD_ATC_MENU:
        if (atc.menu_up) {
            plot_atc_options(1);
        } else {
            atc.menu_up = 1;
            atc.menu_level = 0;
        }
        break;
    case KEYCMD_VIEW_LEFT: APPLICATION_handlemenu(turned_view(k_view_left, set.view_type, 504)); break;
    case KEYCMD_VIEW_RIGHT: APPLICATION_handlemenu(turned_view(k_view_right, set.view_type, 505)); break;
    case KEYCMD_REVERSERS: toggle_reversers(); break;
    case KEYCMD_FLAPS_UP:
    case KEYCMD_FLAPS_DOWN:
        flt.flaprqst = fltlim(flt.flaprqst + (table[k].command == KEYCMD_FLAPS_UP ? -0.25f : 0.25f), 0.0f, 1.0f);
        break;
    case KEYCMD_HEAT_OFF:
    case KEYCMD_HEAT_ON:
        for (float& h : flt.heat) h = table[k].command == KEYCMD_HEAT_OFF ? 0.0f : 1.0f;
        break;
    case KEYCMD_SPEEDBRAKE_IN:
    case KEYCMD_SPEEDBRAKE_OUT:
        flt.sbrk = intlim(flt.sbrk + (table[k].command == KEYCMD_SPEEDBRAKE_IN ? -1 : 1), pln[0].autosbrkEQ ? -1 : 0, 2);
        break;
    case KEYCMD_RELEASE: release_or_cut(); break;
    }
    return 1;
}

// x wrapped into lo..hi however far outside it lies.
int wrap_into(int x, int lo, int hi)
{
    const int span = hi - lo + 1;
    int r = (x - lo) % span;
    if (r < 0) r += span;
    return lo + r;
}

// One tuning step of a frequency in MHz x 100 whose MHz part wraps within lo..hi: steps of 1000
// kHz or more move the MHz part, smaller ones the hundredths (in 10 kHz units).
int band_step(int frequency, int step, int lo, int hi)
{
    int mhz = frequency / 100, hundredths = wrap_into(frequency % 100, 0, 99);
    if (step >= 1000 || step <= -1000) mhz = wrap_into(mhz + step / 1000, lo, hi);
    else hundredths = wrap_into(hundredths + step / 10, 0, 99);
    return mhz * 100 + hundredths;
}

}  // namespace

int remap_key(int c, int key_type)
{
    if (key_type != LAYOUT_FRENCH && key_type != LAYOUT_GERMAN) return c;
    for (const key_remap& r : k_remap) {
        if (r.from != c) continue;
        if (r.layout == key_type || r.layout == LAYOUT_BOTH) return r.to;
    }
    return c;
}

void handle_key(char c, int special)
{
    int code = static_cast<unsigned char>(c);
    if (special == 0) code = remap_key(code, msc.key_type);
    const char key = static_cast<char>(code);
    msc.key_pressed = key;

    if (command_key(code)) return;
    int n;
    const menu_key_entry* menus = menu_keys(&n);
    for (int i = 0; i < n; i++) {
        if (menus[i].key == key) {
            APPLICATION_handlemenu(menus[i].item);
            return;
        }
    }
    if (key == '!') {
        heading_select_only();
        panel_key_click(key);
        if (pln[0].bitchinbettyEQ && set.warn_bb) play_buffer(SND_CAUTION, 0);
        return;
    }
    if (panel_key_click(key)) return;
    radio_key_tune(key);
}

int NAVinc(int frequency, int step) { return band_step(frequency, step, 108, 117); }

int COMinc(int frequency, int step) { return band_step(frequency, step, 118, 136); }

int ADFinc(int frequency, int step)
{
    // Digits of a negative value (a damaged file) are taken from its magnitude.
    const int f = frequency < 0 ? -frequency : frequency;
    int hundreds = f / 100 % 10, tens = f / 10 % 10, units = f % 10;
    switch (step) {
    case 100: hundreds = intwrap(hundreds + 1, 0, 9); break;
    case -100: hundreds = intwrap(hundreds - 1, 0, 9); break;
    case 10: tens = intwrap(tens + 1, 0, 9); break;
    case -10: tens = intwrap(tens - 1, 0, 9); break;
    case 1: units = intwrap(units + 1, 0, 9); break;
    case -1: units = intwrap(units - 1, 0, 9); break;
    default: break;
    }
    return hundreds * 100 + tens * 10 + units;
}

int XPNinc(int digit, int step)
{
    digit += step;
    if (digit > 7) digit = 0;
    if (digit < 0) digit = 7;
    return digit;
}

void atc_arrow_keys(int code)
{
    if (!atc.menu_up) return;
    switch (code) {
    case 25: atc.sel_i--; break;
    case 26: atc.sel_i++; break;
    case 27: atc.sel_j--; break;
    case 28: atc.sel_j++; break;
    default: break;
    }
}
