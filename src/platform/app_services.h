// Operating-system services that game logic and the main window ask for.
#pragma once

#include <functional>
#include <string>

// Starts another program file, shown normally, without parameters. False when it cannot start.
bool start_program_file(const std::string& path);

// Lets the windows paint and timers run while a long operation runs on the one thread. User
// input stays queued until the operation is over.
void process_pending_events();

// A long operation (reading or writing a game, drawing the map) while it is in scope. Meanwhile
// the windows that hold the game put off their commands, clicks, timers and posted events until
// the last such operation ended, so nothing reaches the game half read, half written or half
// drawn. Scopes nest.
class long_operation {
public:
    long_operation();
    ~long_operation();
    long_operation(const long_operation&) = delete;
    long_operation& operator=(const long_operation&) = delete;
};
bool long_operation_running();
// Runs `work` from the event loop once no long operation runs (soon, when none runs now).
void after_long_operation(std::function<void()> work);

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
