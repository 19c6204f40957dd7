#include "responder.h"

namespace {
scripted_responder* current = nullptr;

box_answer default_answer(box_buttons b) {
    switch (b) {
    case box_buttons::ok:
    case box_buttons::ok_cancel:
        return box_answer::ok;
    case box_buttons::yes_no:
    case box_buttons::yes_no_cancel:
        return box_answer::yes;
    case box_buttons::retry_cancel:
        return box_answer::retry;
    case box_buttons::abort_retry_ignore:
        return box_answer::abort;
    }
    return box_answer::ok;
}
} // namespace

scripted_responder* active_responder() { return current; }

scripted_responder::scripted_responder() : previous_(current) { current = this; }
scripted_responder::~scripted_responder() { current = previous_; }

scripted_responder& scripted_responder::answer(box_answer a) {
    boxes_.push_back(a);
    return *this;
}

scripted_responder& scripted_responder::answer_text(std::optional<std::string> text) {
    texts_.push_back(std::move(text));
    return *this;
}

scripted_responder& scripted_responder::let_choosers_through(bool on) {
    choosers_through_ = on;
    return *this;
}

int scripted_responder::count(const std::string& caption, const std::string& part) const {
    int n = 0;
    for (const auto& d : shown_)
        if (d.caption == caption && (part.empty() || d.text.find(part) != std::string::npos)) ++n;
    return n;
}

box_answer scripted_responder::take_box(const shown_dialog& d) {
    shown_.push_back(d);
    if (boxes_.empty()) {
        ++unanswered_;
        return default_answer(d.buttons);
    }
    box_answer a = boxes_.front();
    boxes_.pop_front();
    return a;
}

std::optional<std::string> scripted_responder::take_text(const shown_dialog& d,
                                                         std::optional<std::string> fallback) {
    shown_.push_back(d);
    if (texts_.empty()) {
        ++unanswered_;
        return fallback;
    }
    auto t = std::move(texts_.front());
    texts_.pop_front();
    return t;
}
