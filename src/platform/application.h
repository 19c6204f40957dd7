// The application object: its start, run and end events fire in that order.
#pragma once

#include <string>

class application_base {
public:
    virtual ~application_base() = default;
    virtual void on_start() = 0;
    virtual void on_run();
    virtual void on_end() = 0;

    void set_exit_code(int code) { exit_code_ = code; }
    int exit_code() const { return exit_code_; }
    // Start asks to quit: run is skipped.
    void quit() { quit_requested_ = true; }
    bool quit_requested() const { return quit_requested_; }
    const std::string& command_line() const { return command_line_; }
    void set_command_line(std::string s) { command_line_ = std::move(s); }

private:
    int exit_code_ = 0;
    bool quit_requested_ = false;
    std::string command_line_;
};

// Creates the toolkit's application, then fires start, run (the message loop) and end.
int run_application(int argc, char** argv, application_base& app);

// The message loop of the toolkit until the last main window is gone.
int run_message_loop();
