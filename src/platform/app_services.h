// Operating-system services that game logic and the main window ask for.
#pragma once

#include <functional>
#include <string>

// Starts another program file, shown normally, without parameters. False when it cannot start.
bool start_program_file(const std::string& path);

// Lets the window handle pending input and paint while a long operation runs on the one thread.
void process_pending_events();

// Waits the given time while still handling window events.
void wait_ms(int ms);

// Busy cursor on the main window and the map while a long operation runs.
void show_busy_cursor(bool busy);

// Ends the program at once with the given exit code (after a fatal error).
[[noreturn]] void exit_program(int code);

// Plays a wave file asynchronously by its path. Does nothing when the file cannot be played or
// there is no audio output. Tests replace the player to see what would be played.
void play_wave_file(const std::string& path);
void set_wave_player(std::function<void(const std::string& path)> player);
