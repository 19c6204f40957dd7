// Message boxes as game logic sees them: plain C++, no toolkit types.
// Texts are in the program's 8-bit code page; "\n\r" inside them becomes a line break on screen.
#pragma once

#include <string>

enum class box_icon { none, information, exclamation, question, stop };
enum class box_buttons { ok, ok_cancel, yes_no, yes_no_cancel, retry_cancel, abort_retry_ignore };
enum class box_answer { ok, cancel, yes, no, retry, abort, ignore };
// Whom a box belongs to: the main window, or nobody (error boxes, which must show even when the
// main window is gone or not yet there).
enum class box_owner { main_frame, none };

// Shows a modal box and returns the button pressed.
// Under a scripted_responder nothing is shown: the queued answer is returned.
box_answer message_box(const std::string& caption, const std::string& text,
                       box_buttons buttons = box_buttons::ok, box_icon icon = box_icon::none,
                       box_owner owner = box_owner::main_frame);

// The error box used by the file readers and writers: caption, then "Error Code: " and the code;
// stop icon, no owner.
void error_code_box(const std::string& caption, const std::string& code);

// Writes a text to the diagnostic output (standard error), showing nothing.
void diagnostic_output(const std::string& text);

// Removes the carriage returns of the program's "\n\r" line breaks, for display.
std::string display_text(const std::string& text);
