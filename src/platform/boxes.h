// Message boxes as game logic sees them: plain C++, no toolkit types.
// Texts are in the program's 8-bit code page; "\n\r" inside them becomes a line break on screen.
#pragma once

#include <string>

enum class box_icon { none, information, exclamation, question, stop };
enum class box_buttons { ok, ok_cancel, yes_no, yes_no_cancel, retry_cancel, abort_retry_ignore };
enum class box_answer { ok, cancel, yes, no, retry, abort, ignore };

// Shows a modal box parented to the main window and returns the button pressed.
// Under a scripted_responder nothing is shown: the queued answer is returned.
box_answer message_box(const std::string& caption, const std::string& text,
                       box_buttons buttons = box_buttons::ok, box_icon icon = box_icon::none);

// The error box used by the file readers and writers: caption, then "Error Code: " and the code.
void error_code_box(const std::string& caption, const std::string& code);

// Removes the carriage returns of the program's "\n\r" line breaks, for display.
std::string display_text(const std::string& text);
