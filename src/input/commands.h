// What keys and timer ticks do to the scene state, without GL or GLUT, so it tests anywhere.
#ifndef ORVENA_INPUT_COMMANDS_H
#define ORVENA_INPUT_COMMANDS_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

constexpr unsigned char KEY_ESCAPE = 27;

// Applies the key's command. Returns false for Escape, which changes nothing and ends the
// program; every other key, mapped or not, returns true.
bool apply_key(unsigned char key);

// Every key and what it does, a row each: the command table's keys, the panels' function keys
// and Escape. --help and the key panel both list these rows, so neither can drift from what
// the keys do.
struct key_help_row {
    std::string keys;  // "X", "S, s", "space", "F1", "Escape"
    const char* help;
};
std::vector<key_help_row> key_help_rows();

// The rows, one line each, as --help shows them.
void write_key_help(std::FILE* out);

// One timer tick: the light's orbit in the moving mode, the cubes while animate is set.
void advance_animation();

// "Camera: x, y, z\n", the console line that follows every key but Escape. Writes at most
// size bytes, always NUL-terminated; CONSOLE_LINE_SIZE holds the line for any eye.
constexpr std::size_t CONSOLE_LINE_SIZE = 256;
void format_console_line(char* buf, std::size_t size);

#endif
