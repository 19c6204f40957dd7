#include "file_forms.h"

#include "board.h"
#include "data/folders.h"
#include "dialog_globals.h"
#include "encodings.h"
#include "message_boxes.h"
#include "platform/boxes.h"
#include "platform/choosers.h"
#include "platform/files.h"

#include <cctype>

namespace {
enum class check { exists, name_given };
enum class file_kind { game, map, symbols };

struct form_spec {
    const char* name;
    const char* title;
    const char* description;
    const char* pattern;
    bool save;
    check on_ok;
    file_kind kind;
    const char* extension; // set on the chosen path, or null
    bool confirm_cancel;   // the link forms ask before giving up
};

void file_error(file_kind kind, const std::string& text) {
    switch (kind) {
    case file_kind::game:
        show_game_file_error(text);
        break;
    case file_kind::map:
        show_map_file_error(text);
        break;
    case file_kind::symbols:
        show_symbol_file_error(text);
        break;
    }
}

std::optional<std::string> run_form(const form_spec& f, const std::string& current) {
    load_for_game = false;
    dialog_result = 0;

    file_chooser_request r;
    r.name = f.name;
    r.title = f.title;
    r.filters = {{f.description, f.pattern}, {"All Files (*.*)", "*.*"}};
    r.start_folder = folder_of(current);
    r.start_name = file_name_of(current);
    // A game form without a folder to start from starts in the default games folder, when set.
    if (r.start_folder.empty() && f.kind == file_kind::game) r.start_folder = default_paths.games;
    r.save = f.save;

    for (;;) {
        std::optional<std::string> chosen = choose_file(r);
        if (!chosen) {
            if (f.confirm_cancel && message_box("Confirmation", "Really want to cancel file converion?",
                                                box_buttons::yes_no, box_icon::question) == box_answer::no)
                continue;
            return std::nullopt;
        }
        std::string path = *chosen;
        if (path.empty() || file_name_of(path).empty()) {
            if (f.on_ok == check::name_given && f.save) {
                file_error(f.kind, "File or path can not be created.");
                continue; // the dialog again
            }
            file_error(f.kind, "File or Path does not exist.");
            return std::nullopt;
        }
        if (f.extension) path = with_extension(path, f.extension);
        // The chooser asked about the name it gave; a name the extension completed is asked
        // about here before another file there is written over (Yes: another name).
        if (f.save && path != *chosen && confirm_overwrite_existing_file(path) == 1) continue;
        if (!f.save && !path_is_readable_file(path)) {
            file_error(f.kind, "File or Path does not exist.");
            return std::nullopt;
        }
        if (chosen_file_is_held_open(path, f.save)) {
            show_error_box("File Sharing Error!", "The selected file is already loaded into ZEL");
            return std::nullopt;
        }
        load_for_game = true;
        dialog_result = 1;
        return path;
    }
}

const form_spec open_ops{"OpenOpsForm",
                         "Select an ZEL Saved Game to Load",
                         "ZEL Saved Games (*.OPS)",
                         "*.OPS",
                         false,
                         check::exists,
                         file_kind::game,
                         nullptr,
                         false};
const form_spec ops_save{"OpsSaveFileName",
                         "Save Game File As",
                         "ZEL Saved Games (*.OPS)",
                         "*.OPS",
                         true,
                         check::name_given,
                         file_kind::game,
                         ".OPS",
                         false};
const form_spec map_link{"GetMapFileToLink",
                         "Select The Map/Game Board To Use With This Game",
                         "ZEL Maps/Game Boards (*.MAP)",
                         "*.MAP",
                         false,
                         check::name_given,
                         file_kind::map,
                         nullptr,
                         true};
const form_spec sym_link{"GetSymFileToLink",
                         "Select The Symbol Set To Use With This Map",
                         "ZEL Symbols Sets (*.SET)",
                         "*.SET",
                         false,
                         check::name_given,
                         file_kind::symbols,
                         ".SET",
                         true};
const form_spec map_save{"MapSaveFileName",
                         "Save Map/Board File As",
                         "ZEL Map/Boards (*.MAP)",
                         "*.MAP",
                         true,
                         check::name_given,
                         file_kind::map,
                         ".MAP",
                         false};
const form_spec open_map{"OpenMapForm",
                         "Select an ZEL Map/Board to Load",
                         "ZEL Saved Maps (*.MAP)",
                         "*.MAP",
                         false,
                         check::exists,
                         file_kind::map,
                         nullptr,
                         false};
const form_spec open_sym{"OpenSymForm",
                         "Select an ZEL Symbol Set to Load",
                         "ZEL Symbol Sets (*.SET)",
                         "*.SET",
                         false,
                         check::exists,
                         file_kind::symbols,
                         nullptr,
                         false};
} // namespace

std::string with_extension(const std::string& path, const std::string& extension) {
    std::string name = file_name_of(path);
    std::string stem = path;
    auto dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        std::string old = name.substr(dot);
        if (equal_ignoring_case(old, extension)) return path;
        stem = path.substr(0, path.size() - old.size());
    }
    return stem + extension;
}

std::optional<std::string> OpenOpsForm(const std::string& c) {
    return run_form(open_ops, c);
}
std::optional<std::string> OpsSaveFileName(const std::string& c) {
    return run_form(ops_save, c);
}
std::optional<std::string> GetMapFileToLink(const std::string& c) {
    return run_form(map_link, c);
}
std::optional<std::string> GetSymFileToLink(const std::string& c) {
    return run_form(sym_link, c);
}
std::optional<std::string> MapSaveFileName(const std::string& c) {
    return run_form(map_save, c);
}
std::optional<std::string> OpenMapForm(const std::string& c) {
    return run_form(open_map, c);
}
std::optional<std::string> OpenSymForm(const std::string& c) {
    return run_form(open_sym, c);
}
