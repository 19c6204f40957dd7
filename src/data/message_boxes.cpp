#include "message_boxes.h"

#include "platform/boxes.h"
#include "platform/files.h"

namespace {
void error_box(const std::string& caption, const std::string& text) {
    message_box(caption, text, box_buttons::ok, box_icon::stop, box_owner::none);
}
void notice_box(const std::string& caption, const std::string& text) {
    message_box(caption, text, box_buttons::ok, box_icon::information, box_owner::main_frame);
}
} // namespace

void show_error_box(const std::string& caption, const std::string& text) {
    error_box(caption, text);
}
void show_unit_creation_error(const std::string& code) {
    error_box("Unit Creation Error", "Error Code: " + code);
}
void show_symbol_file_error(const std::string& code) {
    error_box("Symbol File Error", "Error Code: " + code);
}
void show_map_file_error(const std::string& code) {
    error_box("Map File Error", "Error Code: " + code);
}
void show_game_file_error(const std::string& code) {
    error_box("Game File Error", "Error Code: " + code);
}
void show_memory_allocation_error(const std::string& code) {
    error_box("Memory Allocation Error", "Error Code: " + code);
}

void show_execution_message(const std::string& text) {
    notice_box("Execution message:", text);
}
void show_info_box(const std::string& caption, const std::string& text) {
    notice_box(caption, text);
}
void show_info_box_text(const std::string& caption, const std::string& text) {
    notice_box(caption, text);
}
void show_number_box(const std::string& caption, int number) {
    notice_box(caption, std::to_string(number));
}
void show_version1_conversion_notice(const std::string& text) {
    notice_box("ZEL Version 1 File Converion", text);
}

void show_diagnostic_text(const std::string& text) {
    diagnostic_output(text);
}

int ask_to_save_first(const std::string& caption, const std::function<bool()>& save) {
    box_answer a = message_box(
        caption, "If you proceed, your current game will not be saved.\n\rDo you want to save it now?",
        box_buttons::yes_no_cancel, box_icon::exclamation);
    if (a == box_answer::no) return 2;
    if (a == box_answer::yes) return save && save() ? 1 : 0;
    return 0;
}

namespace {
// The system's reason for the last failed file operation, as a line of its own.
std::string reason_line() {
    const std::string why = last_file_error();
    return why.empty() ? std::string() : "\n\r(" + why + ")";
}
} // namespace

std::string write_failure_text(const std::string& path) {
    return "Could not write the file:\n\r   " + path + reason_line();
}

bool copy_file_reported(const std::string& from, const std::string& to) {
    if (from == to || copy_file_replacing(from, to)) return true;
    show_error_box("File Copy Error", "Could not copy the file\n\r   " + from + "\n\rto\n\r   " + to +
                                          reason_line() +
                                          "\n\rThe game keeps its link to the original file.");
    return false;
}
