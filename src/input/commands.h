// What keys and timer ticks do to the scene state, without GL or GLUT, so it tests anywhere.
#ifndef ORVENA_INPUT_COMMANDS_H
#define ORVENA_INPUT_COMMANDS_H

#include <cstddef>
#include <cstdio>

constexpr unsigned char KEY_ESCAPE = 27;

// Applies the key's command. Returns false for Escape, which changes nothing and ends the
// program; every other key, mapped or not, returns true.
bool apply_key(unsigned char key);

// The keys and what they do, a line each, as --help shows them; made from the command table
// itself, so the two always agree.
void write_key_help(std::FILE* out);

// One timer tick: the light's orbit in the moving mode, the cubes while animate is set.
void advance_animation();

// "Camera: x, y, z\n", the console line that follows every key but Escape. Writes at most
// size bytes, always NUL-terminated; CONSOLE_LINE_SIZE holds the line for any eye.
constexpr std::size_t CONSOLE_LINE_SIZE = 256;
void format_console_line(char* buf, std::size_t size);

#endif
