#include "log_on.h"

#include "data/board.h"
#include "data/current_player.h"
#include "data/dialog_globals.h"
#include "data/passwords.h"
#include "data/records.h"
#include "data/view_state.h"
#include "platform/boxes.h"
#include "players/visibility.h"

std::function<void()> password_form_hook;
std::function<void()> player_info_form_hook;
std::function<void()> log_on_form_hook;

namespace {
// Any record before the end record, also a new one whose name is not yet given.
player_struct* record_of(int p) {
    auto& a = game->player_array;
    return p >= 0 && static_cast<std::size_t>(p) + 1 < a.size() ? &a[static_cast<std::size_t>(p)] : nullptr;
}

std::string stored_password(const player_struct& p) {
    std::string s;
    for (int i = 0; i < password_length && p.password[i]; ++i)
        s.push_back(static_cast<char>(p.password[i]));
    return s;
}

void run_password_form(int mode) {
    edit_index = mode;
    form_result_text.clear();
    if (password_form_hook) password_form_hook();
}
} // namespace

std::string upper_case_password(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool player_has_password(int player_index) {
    const player_struct* p = player_record(player_index);
    return p && p->password[0] != 0;
}

bool password_matches(int player_index, const std::string& text) {
    const player_struct* p = player_record(player_index);
    if (!p) return false;
    // Only the first 20 characters were ever stored.
    std::string entered = upper_case_password(text.substr(0, max_password_length));
    return entered == upper_case_password(stored_password(*p));
}

int verify_player_password(int player_index) {
    if (!player_has_password(player_index)) {
        // A player without a password passes; an index that names no player never does.
        return player_record(player_index) ? 1 : 0;
    }
    const int mode = edit_index == 2 ? 2 : 1;
    static const char* const ordinal[] = {"first", "second"};
    for (int wrong = 0; wrong < 3; ++wrong) {
        run_password_form(mode);
        if (form_result_text.empty()) return -1;
        if (password_matches(player_index, form_result_text)) return 1;
        if (wrong < 2) {
            std::string text = std::string("That was your ") + ordinal[wrong] +
                               " incorrect response!  \n\rDo you want to try again?  ";
            if (message_box("Verification Failure", text, box_buttons::ok_cancel, box_icon::stop) !=
                box_answer::ok)
                return -1;
        } else {
            message_box("Verification Failure",
                        "That was your third incorrect response!  \n\rAccess denied, operation aborted.",
                        box_buttons::ok, box_icon::stop);
        }
    }
    return 0;
}

int store_player_password(int player_index, const std::string& text) {
    player_struct* p = record_of(player_index);
    if (!p) return 0;
    const std::string upper = upper_case_password(text);
    int n = 0;
    for (int i = 0; i < password_length; ++i) {
        p->password[i] = 0;
        if (static_cast<std::size_t>(i) < upper.size()) {
            p->password[i] = static_cast<std::uint8_t>(upper[static_cast<std::size_t>(i)]);
            ++n;
        }
    }
    return n;
}

int ask_new_player_password(int player_index) {
    run_password_form(0);
    if (player_index >= 0) {
        if (!record_of(player_index)) return 0;
        return store_player_password(player_index, form_result_text);
    }
    return static_cast<int>(form_result_text.size());
}

bool log_in_as_player(int player_index) {
    // Nothing selected (a game without players): there is nobody to log on as.
    if (!player_record(player_index)) return false;
    if (player_has_password(player_index)) {
        edit_index = 1;
        const int r = verify_player_password(player_index);
        if (r < 0) return false;
        if (r == 0) {
            current_player = -2;
            player_logged_in = 0;
            return true;
        }
    }
    player_logged_in = 1;
    current_player = player_index;
    return true;
}

bool log_in_as_visitor() {
    current_player = -1;
    player_logged_in = 1;
    return true;
}

bool cancel_log_on() {
    current_player = -2;
    player_logged_in = 0;
    return true;
}

bool log_in_as_new_player() {
    const int before = players_in_game();
    edit_index = before;
    if (player_info_form_hook) player_info_form_hook();
    // Only a player that was really made (saved with a name) can be logged on as.
    if (players_in_game() <= before) return false;
    current_player = before;
    player_logged_in = 1;
    return true;
}

bool log_on_after_open(bool earlier_game, const std::function<void()>& run_form) {
    current_player = -1;
    if (players_in_game() == 0) return true;
    player_logged_in = 0;
    for (;;) {
        if (run_form) run_form();
        if (player_logged_in) return true;
        if (!earlier_game) return true;
        if (message_box(
                "Log-In Cancellation Warning",
                "Your original game has been replaced by the new game just loaded. \n\rIf you do not "
                "Log-In to the new game it will be cleared from memory. \n\rWould you like to try and "
                "log-in again?",
                box_buttons::yes_no, box_icon::exclamation) != box_answer::yes)
            return false;
    }
}

void restore_player_view() {
    zoom_level = 0;
    view_origin_hex = 0;
    const player_struct* p = player_record(current_player);
    if (!p || player_logged_in == 0) return;
    if (p->view_origin >= 0 && p->view_origin < board->hex_count) view_origin_hex = p->view_origin;
    if (p->zoom_level < 3) zoom_level = p->zoom_level;
    if (p->replay_delay < 20) replay_delay = p->replay_delay;
}
