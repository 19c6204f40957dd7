#include "file_forms.h"

#include "platform/choosers.h"
#include "platform/files.h"

// First versions of the forms: title, filter and start folder. The full forms replace these.
namespace {
std::optional<std::string> run(const char* title, const char* description, const char* pattern,
                               const std::string& current, bool save) {
    file_chooser_request r;
    r.title = title;
    r.filters = {{description, pattern}};
    r.start_folder = folder_of(current);
    r.start_name = file_name_of(current);
    r.save = save;
    return choose_file(r);
}
} // namespace

std::optional<std::string> OpenOpsForm(const std::string& c) {
    return run("Open a Saved Game", "Saved Games", "*.OPS", c, false);
}
std::optional<std::string> OpsSaveFileName(const std::string& c) {
    return run("Save Game As", "Saved Games", "*.OPS", c, true);
}
std::optional<std::string> GetMapFileToLink(const std::string& c) {
    return run("Select Map/Board File", "Map/Board Files", "*.MAP", c, false);
}
std::optional<std::string> GetSymFileToLink(const std::string& c) {
    return run("Select Symbol Set", "Symbol Sets", "*.SET", c, false);
}
std::optional<std::string> MapSaveFileName(const std::string& c) {
    return run("Save Map/Board As", "Map/Board Files", "*.MAP", c, true);
}
std::optional<std::string> OpenMapForm(const std::string& c) {
    return run("Open Map/Board File", "Map/Board Files", "*.MAP", c, false);
}
std::optional<std::string> OpenSymForm(const std::string& c) {
    return run("Open Symbol Set", "Symbol Sets", "*.SET", c, false);
}
