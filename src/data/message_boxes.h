// The shared message boxes through which every part of the program reports errors and notices.
// Error boxes carry the stop icon and have no owner; notices carry the information icon and
// belong to the main window.
#pragma once

#include <functional>
#include <string>

void show_error_box(const std::string& caption, const std::string& text);
// "Error Code: " followed by the given label, under the box's own caption.
void show_unit_creation_error(const std::string& code);
void show_symbol_file_error(const std::string& code);
void show_map_file_error(const std::string& code);
void show_game_file_error(const std::string& code);
void show_memory_allocation_error(const std::string& code);

// The text of a box for a file that could not be written: the file and the system's reason.
std::string write_failure_text(const std::string& path);

// Copies a file over any file at `to`; a copy that could not be made is reported ("File Copy
// Error", naming both files) and gives false. A file copied onto itself is a success.
bool copy_file_reported(const std::string& from, const std::string& to);

void show_execution_message(const std::string& text);
void show_info_box(const std::string& caption, const std::string& text);
void show_info_box_text(const std::string& caption, const std::string& text);
void show_number_box(const std::string& caption, int number);
void show_version1_conversion_notice(const std::string& text);

// Passes a text to the diagnostic output without showing anything.
void show_diagnostic_text(const std::string& text);

// The "not saved" question before an operation drops unsaved work: Yes/No/Cancel with the
// warning icon. Cancel gives 0, No 2, and Yes runs `save`: 1 when it saved, else 0, so that a
// save that did not happen never lets the caller drop the work.
int ask_to_save_first(const std::string& caption, const std::function<bool()>& save);
