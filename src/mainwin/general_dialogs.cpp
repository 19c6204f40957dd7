#include "general_dialogs.h"

#include "platform/responder.h"

std::string list_display_title;
std::vector<std::string> list_display_items;
std::function<void()> generic_list_display_hook;

void show_generic_list_display() {
    if (auto* r = active_responder()) {
        std::string text;
        for (const auto& item : list_display_items) {
            if (!text.empty()) text += '\n';
            text += item;
        }
        r->take_box({"list", list_display_title, text, box_buttons::ok, box_icon::none});
        return;
    }
    if (generic_list_display_hook) generic_list_display_hook();
}
