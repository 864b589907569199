// key_table_test.cpp -- the keyboard instructions: the file the help names is in the program folder,
// written from the key tables the handler acts on, every key once and in words a pilot can check.
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
        "  n        clicks the HSI 50 left and 50 below its point on the panel\n",
        "  o        clicks the altimeter 0 right and 10 above its point on the panel\n",
        "  !        autopilot to heading select alone (every other mode off), and clicks the radio stack at x +494, y 90\n",
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

}  // namespace
