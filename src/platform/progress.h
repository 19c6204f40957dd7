// The progress window shown while a file is read or written on the one thread.
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

    // Shows the window with its caption and label; the bar starts at 0 of 100.
    void open(const std::string& caption, const std::string& label);
    void set_label(const std::string& label);
    // Moves the bar (0..100) and lets the window paint and take input.
    void set_position(int percent);
    void close();

    bool is_open() const { return open_; }
    const std::string& caption() const { return caption_; }
    const std::string& label() const { return label_; }
    int position() const { return position_; }

private:
    struct impl;
    std::unique_ptr<impl> impl_;
    bool open_ = false;
    std::string caption_, label_;
    int position_ = 0;
};

// Tests: every caption and label any progress window showed, and the last positions.
struct progress_log_entry {
    std::string caption, label;
    int position;
};
const std::vector<progress_log_entry>& progress_log();
void clear_progress_log();
