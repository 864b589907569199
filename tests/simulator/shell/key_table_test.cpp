// key_table_test.cpp -- the keyboard instructions: the file the help names is in the program folder,
// written from the key tables the handler acts on, every key once and in words a pilot can check.
#include "hl_keys.h"
#include "key_table.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::string instructions(void)
{
    std::vector<char> text(static_cast<size_t>(write_key_instructions(nullptr, 0)));
    write_key_instructions(text.data(), static_cast<int>(text.size()));
    return std::string(text.data());
}

// The key of an instruction line ("  Q        COM 1 ..."), "" for other lines.
std::string key_of(const std::string& line)
{
    if (line.size() < 12 || line.compare(0, 2, "  ") != 0) return "";
    const size_t end = line.find(' ', 2);
    return line.substr(2, end - 2);
}

// The data build writes the very text the tables give, under the name the help alert gives.
TEST(KeyInstructions, TheFileTheHelpNamesIsTheTablesText)
{
    const std::string shipped = read_file(std::string(KV_PROGRAM_DIR) + "/Kestrova Instructions.txt");
    ASSERT_FALSE(shipped.empty()) << "no 'Kestrova Instructions.txt' in the program folder";
    EXPECT_EQ(shipped, instructions());
}

// Every key of the tables has exactly one line: a key in two tables would be answered only by the
// first the handler tries, and the instructions would tell of a command that never comes.
TEST(KeyInstructions, EveryKeyHasOneLine)
{
    std::map<std::string, int> lines;
    const std::string text = instructions();
    for (size_t b = 0, e; (e = text.find('\n', b)) != std::string::npos; b = e + 1) {
        const std::string k = key_of(text.substr(b, e - b));
        if (!k.empty()) lines[k]++;
    }
    int n, total = 0;
    auto name = [](int c) { return c == 13 ? std::string("Return") : c == ' ' ? std::string("Space") : std::string(1, static_cast<char>(c)); };
    const command_key_entry* c = command_keys(&n);
    for (int i = 0; i < n; i++, total++) EXPECT_EQ(lines[name(c[i].key)], 1) << c[i].key;
    const menu_key_entry* m = menu_keys(&n);
    for (int i = 0; i < n; i++, total++) EXPECT_EQ(lines[name(m[i].key)], 1) << m[i].key;
    const panel_key_entry* p = panel_keys(&n);
    for (int i = 0; i < n; i++, total++) EXPECT_EQ(lines[name(p[i].key)], 1) << p[i].key;
    const radio_key_entry* r = radio_keys(&n);
    for (int i = 0; i < n; i++, total++) EXPECT_EQ(lines[name(r[i].key)], 1) << r[i].key;
    // The keys the event loop takes (number pad, function keys, arrows) have a test of their own.
    const hl_special_key* special = hl_special_keys(&n);
    for (int i = 0; i < n; i++) lines.erase(key_of(std::string("  ") + special[i].name + "          x"));
    EXPECT_EQ(static_cast<int>(lines.size()), total);
    // 11 commands, 16 menu keys, 27 panel keys, 30 radio keys.
    EXPECT_EQ(total, 84);
}

// A few lines worked out from what the keys do.
TEST(KeyInstructions, LinesSayWhatTheKeysDo)
{
    const std::string text = instructions();
    const char* const lines[] = {
        "  Q        COM 1 frequency down 1 MHz (panels with a first COM and NAV)\n",
        "  F        COM 2 frequency up 50 kHz\n",
        "  :        ADF frequency up 10 kHz\n",
        "  <        transponder digit 4 up\n",
        "  1        flaps up a quarter\n",
        "  Space    release from the carriage or the tow rope, else cut an engine\n",
        "  Return   open the air traffic controller's options, or choose the one selected\n",
        "  z        view backwards\n",
        "  n        the HSI's course knob, a degree down (NAV 2's course) [click: HSI's point -50, -50]\n",
        "  o        the altimeter setting, up a step [click: altimeter's point +0, +10]\n",
        "  !        the autopilot disconnected: every mode off [click: radio stack x +494, y 90]\n",
    };
    for (const char* l : lines) EXPECT_NE(text.find(l), std::string::npos) << l;
}

// Cut to any size the text stays terminated and never runs past it.
TEST(KeyInstructions, ACutTextStaysInsideItsBuffer)
{
    const int whole = write_key_instructions(nullptr, 0);
    for (int size : {1, 2, 17, 300, whole - 1, whole}) {
        std::vector<char> buf(static_cast<size_t>(size) + 8, '#');
        EXPECT_EQ(write_key_instructions(buf.data(), size), whole);
        EXPECT_EQ(std::string(buf.data()).size(), static_cast<size_t>(size - 1));
        for (size_t k = static_cast<size_t>(size); k < buf.size(); k++) ASSERT_EQ(buf[k], '#') << size;
    }
}

// The keys the event loop takes for the simulator (number pad, function keys, arrows) have their
// line too, in words worked from the handlers: F1 and F2 are the one lever's throttle, Backspace
// the mixture's up key, F4 only moves a split lever, and Shift raises a split lever.
TEST(KeyInstructions, TheSpecialKeysAreListedAsTheirHandlersActOnThem)
{
    const std::string text = instructions();
    const char* const lines[] = {
        "  Keypad 2 stick back a twentieth\n",
        "  Keypad 5 centre the keyboard's roll and yaw (pitch stays)\n",
        "  F1       one lever: throttle down; split: engine 1 throttle down, with Shift engine 1 throttle up\n",
        "  F2       one lever: throttle up; split: engine 2 throttle down, with Shift engine 2 throttle up\n",
        "  F4       one lever: nothing; split: engine 4 throttle down, with Shift engine 4 throttle up\n",
        "  Backspace one lever: mixture up; split: engine 2 mixture down, with Shift engine 2 mixture up\n",
        "  Up       turn the follow views up; move the spot view 100 m ahead\n",
    };
    for (const char* l : lines) EXPECT_NE(text.find(l), std::string::npos) << l;
    int n;
    const hl_special_key* keys = hl_special_keys(&n);
    for (int i = 0; i < n; i++) {
        const std::string name = std::string("  ") + keys[i].name + " ";
        size_t count = 0;
        for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) count++;
        EXPECT_EQ(count, 1u) << keys[i].name;
    }
}

// The lever codes decode the same way the handler always did: in one-lever mode only the first two
// keys of each group of four move anything, and no code outside 28..51 moves a lever.
TEST(KeyInstructions, LeverCodesDecodeByGroupsOfFour)
{
    struct Case { int code, split, ok, lever, engine, dir; };
    const Case cases[] = {
        {28, 0, 1, LEVER_THROTTLE, -1, -1}, {29, 0, 1, LEVER_THROTTLE, -1, 1}, {30, 0, 0, 0, 0, 0},
        {32, 0, 1, LEVER_PROP, -1, -1},     {37, 0, 1, LEVER_MIXTURE, -1, 1},  {40, 0, 0, 0, 0, 0},
        {31, 1, 1, LEVER_THROTTLE, 3, -1},  {43, 1, 1, LEVER_THROTTLE, 3, 1},  {44, 1, 1, LEVER_PROP, 0, 1},
        {39, 1, 1, LEVER_MIXTURE, 3, -1},   {51, 1, 1, LEVER_MIXTURE, 3, 1},   {27, 1, 0, 0, 0, 0},
        {52, 1, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        lever_kind lever = LEVER_THROTTLE;
        int engine = 0, dir = 0;
        ASSERT_EQ(lever_of_code(c.code, c.split, &lever, &engine, &dir), c.ok) << c.code;
        if (!c.ok) continue;
        EXPECT_EQ(lever, c.lever) << c.code;
        EXPECT_EQ(engine, c.engine) << c.code;
        EXPECT_EQ(dir, c.dir) << c.code;
    }
}

}  // namespace
