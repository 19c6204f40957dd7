// Scripted answers for every box, question and dialog, so that tests can run the real code
// with nobody at the keyboard. While a responder exists nothing modal is shown on screen.
#pragma once

#include "boxes.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

struct shown_dialog {
    std::string kind;    // "box", "chooser", "text", "colour", ...
    std::string caption; // the title bar text
    std::string text;    // the message, or for a chooser its filter
    box_buttons buttons = box_buttons::ok;
    box_icon icon = box_icon::none;
    box_owner owner = box_owner::main_frame;
};

class scripted_responder {
public:
    scripted_responder();
    ~scripted_responder();
    scripted_responder(const scripted_responder&) = delete;
    scripted_responder& operator=(const scripted_responder&) = delete;

    // Queue the answer to the next box.
    scripted_responder& answer(box_answer a);
    // Queue the answer to the next chooser or text prompt; nullopt cancels it.
    scripted_responder& answer_text(std::optional<std::string> text);

    // Lets file choosers show the real dialog while boxes stay scripted (tests that drive the
    // chooser itself).
    scripted_responder& let_choosers_through(bool on = true);
    bool choosers_let_through() const { return choosers_through_; }

    const std::vector<shown_dialog>& shown() const { return shown_; }
    // Number of boxes with this caption (and, when given, a text containing `part`).
    int count(const std::string& caption, const std::string& part = {}) const;
    bool saw(const std::string& caption, const std::string& part = {}) const { return count(caption, part) > 0; }
    // Number of dialogs that found no queued answer and took the default.
    int unanswered() const { return unanswered_; }
    void clear() { shown_.clear(); }

    // Used by the platform: record a dialog and take its answer.
    box_answer take_box(const shown_dialog& d);
    std::optional<std::string> take_text(const shown_dialog& d, std::optional<std::string> fallback);

private:
    std::deque<box_answer> boxes_;
    std::deque<std::optional<std::string>> texts_;
    std::vector<shown_dialog> shown_;
    int unanswered_ = 0;
    bool choosers_through_ = false;
    scripted_responder* previous_ = nullptr;
};

// The responder in charge, or null when real dialogs are shown.
scripted_responder* active_responder();
