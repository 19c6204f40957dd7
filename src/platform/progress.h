// The progress window (the form "prog_bar") shown while a file is read, written or copied on the
// one thread. Every change lets the windows paint and timers run (user input waits).
#pragma once

#include <memory>
#include <string>
#include <vector>

class progress_window {
public:
    progress_window();
    ~progress_window();
    progress_window(const progress_window&) = delete;
    progress_window& operator=(const progress_window&) = delete;

    // Shows the window with its caption and label; the bar starts at 0 of 0..100.
    void open(const std::string& caption, const std::string& label);
    void set_caption(const std::string& caption);
    void set_label(const std::string& label);
    // A range of its own (most users keep 0..100); the position is held inside it.
    void set_range(int minimum, int maximum);
    void set_position(int position);
    // Moves the bar on by `by` (1 when not given).
    void step(int by = 1);
    // Removes the window.
    void close();

    bool is_open() const { return open_; }
    const std::string& caption() const { return caption_; }
    const std::string& label() const { return label_; }
    int position() const { return position_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

private:
    struct impl;
    std::unique_ptr<impl> impl_;
    bool open_ = false;
    std::string caption_, label_;
    int position_ = 0, minimum_ = 0, maximum_ = 100;
};

// Tests: every caption and label any progress window showed, and the last positions.
struct progress_log_entry {
    std::string caption, label;
    int position;
};
const std::vector<progress_log_entry>& progress_log();
void clear_progress_log();
