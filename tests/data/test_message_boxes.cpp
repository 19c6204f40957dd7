#include "test_support.h"

#include "data/message_boxes.h"

#include <functional>

namespace {
TEST(message_boxes, each_shows_its_caption_icon_text_and_owner) {
    struct row {
        std::function<void()> show;
        const char* caption;
        const char* text;
        box_icon icon;
        box_owner owner;
    };
    const row table[] = {
        {[] { show_error_box("LINKED MAP FILE ERROR", "Could not open"); }, "LINKED MAP FILE ERROR",
         "Could not open", box_icon::stop, box_owner::none},
        {[] { show_unit_creation_error("pool full"); }, "Unit Creation Error", "Error Code: pool full",
         box_icon::stop, box_owner::none},
        {[] { show_symbol_file_error("x"); }, "Symbol File Error", "Error Code: x", box_icon::stop,
         box_owner::none},
        {[] { show_map_file_error("x"); }, "Map File Error", "Error Code: x", box_icon::stop,
         box_owner::none},
        {[] { show_game_file_error("x"); }, "Game File Error", "Error Code: x", box_icon::stop,
         box_owner::none},
        {[] { show_memory_allocation_error("x"); }, "Memory Allocation Error", "Error Code: x",
         box_icon::stop, box_owner::none},
        {[] { show_execution_message("done"); }, "Execution message:", "done", box_icon::information,
         box_owner::main_frame},
        {[] { show_info_box("Title", "notice"); }, "Title", "notice", box_icon::information,
         box_owner::main_frame},
        {[] { show_info_box_text("Title", "long\n\rtext"); }, "Title", "long\n\rtext", box_icon::information,
         box_owner::main_frame},
        {[] { show_number_box("Count", -42); }, "Count", "-42", box_icon::information, box_owner::main_frame},
        {[] { show_version1_conversion_notice("converted"); }, "ZEL Version 1 File Converion", "converted",
         box_icon::information, box_owner::main_frame},
    };
    for (const auto& r : table) {
        scripted_responder responder;
        r.show();
        ASSERT_EQ(responder.shown().size(), 1u) << r.caption;
        const shown_dialog& d = responder.shown()[0];
        EXPECT_EQ(d.caption, r.caption);
        EXPECT_EQ(d.text, r.text) << r.caption;
        EXPECT_EQ(d.icon, r.icon) << r.caption;
        EXPECT_EQ(d.owner, r.owner) << r.caption;
        EXPECT_EQ(d.buttons, box_buttons::ok) << r.caption;
    }
    scripted_responder responder;
    show_diagnostic_text("nothing on screen");
    EXPECT_TRUE(responder.shown().empty());
}
} // namespace
