#include "test_support.h"

#include "data/game_file.h"
#include "data/options.h"
#include "mainwin/settings_files.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

namespace {
const screen_rect screen{0, 0, 1024, 768};

class settings_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        folder = make_temp_folder() + "/";
        program_folder_override = folder;
        saved_cwd = QDir::currentPath();
        set_default_dirs();
        for (auto& r : recent_games)
            r.clear();
        current_game_path.clear();
        info_panel_height = info_panel_width = -1;
        default_comment_to_text = autosave_on = resizable_forms = 0;
        responder.clear();
    }
    void TearDown() override {
        program_folder_override.clear();
        set_write_failure_after(-1);
        QDir::setCurrent(saved_cwd);
    }
    void write(const std::string& name, const std::vector<std::uint8_t>& data) {
        QFile f(QString::fromStdString(folder + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(data.data()), static_cast<qint64>(data.size()));
    }
    void write_text(const std::string& name, const std::string& text) {
        write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    std::vector<std::uint8_t> read(const std::string& name) {
        auto d = read_whole_file(folder + name);
        return d ? *d : std::vector<std::uint8_t>{};
    }
    std::string touch(const std::string& name) {
        QFile f(QString::fromStdString(folder + name));
        f.open(QIODevice::WriteOnly);
        return folder + name;
    }
    void mkdir(const std::string& name) { QDir().mkpath(QString::fromStdString(folder + name)); }

    std::string folder;
    QString saved_cwd;
};

// The defaults as the preferences file holds them, for a 1024 x 768 work area: the 620 x 440
// window centred at (202, 164); no panel size remembered (249 249).
const std::vector<std::uint8_t> default_preference_bytes =
    bytes({1, 50, 10,  10, 7,   2, 1,   1, 0,   0, 1, 2, 0,   76,  181, 232,
           1, 0,  202, 0,  164, 2, 120, 1, 190, 0, 0, 0, 249, 249, 249, 249});

TEST_F(settings_test, missing_preferences_file_is_created_with_the_defaults_at_once) {
    ASSERT_FALSE(QFile::exists(QString::fromStdString(folder + "ZEL_DFLT.LST")));
    rmb_mode = 4;
    sort_classes_alphabetically = 0;
    load_preferences(screen);
    EXPECT_EQ(read("ZEL_DFLT.LST"), default_preference_bytes);
    EXPECT_EQ(rmb_mode, 0);
    EXPECT_EQ(sort_classes_alphabetically, 1);
    EXPECT_EQ(combat_options, 2);
    EXPECT_EQ(preferences.window_x, 202);
    EXPECT_EQ(preferences.window_width, 620);
    EXPECT_TRUE(responder.shown().empty());
}

TEST_F(settings_test, preferences_read_by_hand_written_bytes_and_round_trip) {
    // 600 dpi, aspect 12/9, settings 5 and 3, all four pool flags (stored as 9 = set), sort off,
    // combat 6, right button mode 3, colour 10 20 30, no help, window 100,50 800x600, comment to
    // text, autosave 15, resizable, panels 90 high and 300 wide.
    write("ZEL_DFLT.LST", bytes({2, 100, 12,  9, 5,  3, 9,  1, 1,   1, 0,  6, 3, 10, 20, 30,
                                 0, 0,   100, 0, 50, 3, 50, 2, 100, 1, 15, 1, 0, 90, 1,  50}));
    load_preferences(screen);
    EXPECT_EQ(preferences.print_resolution, 600);
    EXPECT_EQ(preferences.aspect_width, 12);
    EXPECT_EQ(preferences.aspect_height, 9);
    EXPECT_EQ(preferences.print_setting_1, 5);
    EXPECT_EQ(preferences.print_setting_2, 3);
    EXPECT_EQ(ask_place_from_pools, 1);
    EXPECT_EQ(auto_remove_to_pool, 1);
    EXPECT_EQ(sort_classes_alphabetically, 0);
    EXPECT_EQ(combat_options, 6);
    EXPECT_EQ(rmb_mode, 3);
    EXPECT_EQ(preferences.form_colour[0], 10);
    EXPECT_EQ(preferences.form_colour[2], 30);
    EXPECT_EQ(preferences.show_new_game_help, 0);
    EXPECT_EQ(preferences.window_x, 100);
    EXPECT_EQ(preferences.window_y, 50);
    EXPECT_EQ(preferences.window_width, 800);
    EXPECT_EQ(preferences.window_height, 600);
    EXPECT_EQ(default_comment_to_text, 1);
    EXPECT_EQ(autosave_on, 15);
    EXPECT_EQ(resizable_forms, 1);
    EXPECT_EQ(info_panel_height, 90);
    EXPECT_EQ(info_panel_width, 300);

    ASSERT_TRUE(save_preferences());
    EXPECT_EQ(read("ZEL_DFLT.LST"), bytes({2, 100, 12,  9, 5,  3, 1,  1, 1,   1, 0,  6, 3, 10, 20, 30,
                                           0, 0,   100, 0, 50, 3, 50, 2, 100, 1, 15, 1, 0, 90, 1,  50}));
}

TEST_F(settings_test, short_preferences_files_keep_the_defaults_of_the_rest) {
    const std::vector<std::uint8_t> full =
        bytes({2, 100, 12,  9, 5,  3, 0,  0, 1,   1, 0,  6, 3, 10, 20, 30,
               0, 0,   100, 0, 50, 3, 50, 2, 100, 1, 15, 1, 0, 90, 1,  50});
    struct row {
        std::size_t size;
        bool colour_read, window_read, tail_read;
    };
    const row table[] = {
        {13, false, false, false}, {16, true, false, false}, {25, true, true, false}, {32, true, true, true}};
    for (const auto& r : table) {
        write("ZEL_DFLT.LST",
              std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<long>(r.size)));
        preferences.form_colour[0] = 1;
        preferences.show_new_game_help = 0;
        default_comment_to_text = 0;
        autosave_on = 35;
        info_panel_height = 44;
        load_preferences(screen);
        SCOPED_TRACE(r.size);
        EXPECT_EQ(rmb_mode, 3); // every row holds the first 13 bytes
        EXPECT_EQ(auto_place_from_pool, 1);
        EXPECT_EQ(preferences.form_colour[0], r.colour_read ? 10 : 76);
        EXPECT_EQ(preferences.form_colour[1], r.colour_read ? 20 : 181);
        EXPECT_EQ(preferences.form_colour[2], r.colour_read ? 30 : 232);
        EXPECT_EQ(preferences.show_new_game_help, r.size >= 17 ? 0 : 1);
        EXPECT_EQ(preferences.window_x, r.window_read ? 100 : 202);
        EXPECT_EQ(preferences.window_y, r.window_read ? 50 : 164);
        EXPECT_EQ(preferences.window_width, r.window_read ? 800 : 620);
        EXPECT_EQ(preferences.window_height, r.window_read ? 600 : 440);
        EXPECT_EQ(autosave_on, r.tail_read ? 15 : 35);
        EXPECT_EQ(default_comment_to_text, r.tail_read ? 1 : 0);
        EXPECT_EQ(info_panel_height, r.tail_read ? 90 : 44);
        EXPECT_EQ(read("ZEL_DFLT.LST").size(), r.size) << "reading does not rewrite the file";
    }
}

TEST_F(settings_test, out_of_range_preference_bytes_take_their_defaults) {
    // rmb 9, sort 5, help 7, comment 3, autosave 200, resizable 2, panel pair with a marker digit.
    write("ZEL_DFLT.LST", bytes({1, 50, 10, 10, 7, 2, 0,   0, 0,   0, 5,   2, 9,   76, 181, 232,
                                 7, 0,  0,  0,  0, 2, 120, 1, 190, 3, 200, 2, 250, 0,  255, 255}));
    info_panel_height = info_panel_width = 50;
    load_preferences(screen);
    EXPECT_EQ(rmb_mode, 0);
    EXPECT_EQ(sort_classes_alphabetically, 1);
    EXPECT_EQ(preferences.show_new_game_help, 1);
    EXPECT_EQ(default_comment_to_text, 0);
    EXPECT_EQ(autosave_on, 0);
    EXPECT_EQ(resizable_forms, 0);
    EXPECT_EQ(info_panel_height, -1);
    EXPECT_EQ(info_panel_width, -1);
}

TEST_F(settings_test, unremembered_panels_and_a_window_left_of_the_screen_read_back_sensibly) {
    load_preferences(screen);
    info_panel_height = -1;
    info_panel_width = 250;
    preferences.window_x = -8;
    preferences.window_y = -3;
    ASSERT_TRUE(save_preferences());
    auto b = read("ZEL_DFLT.LST");
    ASSERT_EQ(b.size(), 32u);
    EXPECT_EQ(bytes({b[17], b[18], b[19], b[20]}), bytes({0, 0, 0, 0}));
    EXPECT_EQ(bytes({b[28], b[29], b[30], b[31]}), bytes({249, 249, 1, 0}));
    info_panel_width = 7;
    load_preferences(screen);
    EXPECT_EQ(info_panel_height, -1);
    EXPECT_EQ(info_panel_width, 250);
    EXPECT_EQ(preferences.window_x, 0);
    EXPECT_EQ(preferences.window_y, 0);
}

TEST_F(settings_test, a_failed_preferences_write_keeps_the_old_file) {
    load_preferences(screen);
    rmb_mode = 5;
    set_write_failure_after(3);
    EXPECT_FALSE(save_preferences());
    EXPECT_FALSE(save_preferences());
    set_write_failure_after(-1);
    EXPECT_EQ(read("ZEL_DFLT.LST"), default_preference_bytes);
    EXPECT_EQ(responder.count("Settings Not Saved", "ZEL_DFLT.LST\n\r(No space left on device)"), 1);
}

TEST(fit_window_to_screen, keeps_the_window_on_the_screen) {
    struct row {
        const char* what;
        screen_rect in, out;
    };
    const row table[] = {
        {"fits already", {10, 20, 800, 600}, {10, 20, 800, 600}},
        {"wider than the screen", {300, 0, 1500, 500}, {0, 0, 1024, 500}},
        {"too small", {0, 0, 100, 100}, {0, 0, 560, 300}},
        {"off the right edge", {900, 0, 600, 400}, {424, 0, 600, 400}},
        {"higher than the screen less 30", {0, 0, 800, 900}, {0, 0, 800, 738}},
        {"off the bottom", {0, 600, 800, 400}, {0, 338, 800, 400}},
        {"off the top left", {-8, -8, 800, 600}, {0, 0, 800, 600}},
    };
    for (const auto& r : table) {
        screen_rect got = fit_window_to_screen(r.in, screen);
        EXPECT_EQ(got.x, r.out.x) << r.what;
        EXPECT_EQ(got.y, r.out.y) << r.what;
        EXPECT_EQ(got.width, r.out.width) << r.what;
        EXPECT_EQ(got.height, r.out.height) << r.what;
    }
    // A work area that does not start at the corner of the screen.
    screen_rect got = fit_window_to_screen({0, 0, 2000, 500}, {100, 40, 1024, 768});
    EXPECT_EQ(got.x, 100);
    EXPECT_EQ(got.y, 40);
    EXPECT_EQ(got.width, 1024);
}

TEST_F(settings_test, saving_a_game_moves_it_to_the_front_of_the_recent_list) {
    std::string a = touch("a.OPS"), b = touch("b.OPS"), c = touch("c.OPS"), d = touch("d.OPS"),
                e = touch("e.OPS");
    std::string all = a + '\0' + b + '\0' + c + '\0' + d + '\0' + e + '\0';
    write_text("LASTGAME.LST", all);
    load_recent_games();
    current_game_path = c;
    ASSERT_TRUE(save_recent_games());
    std::string expected = c + '\0' + a + '\0' + b + '\0' + d + '\0' + e + '\0';
    EXPECT_EQ(read("LASTGAME.LST"), std::vector<std::uint8_t>(expected.begin(), expected.end()));

    // A game not in the list pushes the fifth out.
    current_game_path = touch("f.OPS");
    ASSERT_TRUE(save_recent_games());
    EXPECT_EQ(recent_games[0], current_game_path);
    EXPECT_EQ(recent_games[1], c);
    EXPECT_EQ(recent_games[4], d);

    // A game never saved has no path and leaves the list alone.
    current_game_path.clear();
    EXPECT_FALSE(save_recent_games());
    EXPECT_EQ(recent_games[0], folder + "f.OPS");
}

TEST_F(settings_test, reading_the_recent_list_drops_deleted_games_and_old_entries) {
    std::string a = touch("a.OPS"), c = touch("c.OPS");
    std::string gone = folder + "deleted.OPS";
    write_text("LASTGAME.LST", a + '\0' + gone + '\0' + c + '\0');
    for (auto& r : recent_games)
        r = "old entry";
    recent_games[2] = c; // would appear twice if the slot kept its text
    load_recent_games();
    EXPECT_EQ(recent_games[0], a);
    EXPECT_EQ(recent_games[1], c);
    for (int i = 2; i < 5; ++i)
        EXPECT_EQ(recent_games[i], "") << i;

    // An endless entry is dropped, not read into memory whole.
    std::string huge(10000, 'x');
    write_text("LASTGAME.LST", huge + '\0' + a + '\0');
    load_recent_games();
    EXPECT_EQ(recent_games[0], a);
    EXPECT_EQ(recent_games[1], "");

    // A list file that exists but does not open.
    QFile::remove(QString::fromStdString(folder + "LASTGAME.LST"));
    mkdir("LASTGAME.LST");
    load_recent_games();
    EXPECT_EQ(responder.count("File Error", "Could not open the file: "), 1);
    EXPECT_EQ(recent_games[0], "");
}

TEST_F(settings_test, without_a_folders_file_only_pictures_and_sounds_are_set) {
    for (const char* sub : {"Game Sets", "Player Pics", "Video Clips"})
        mkdir(sub);
    set_default_dirs();
    EXPECT_EQ(program_folder, folder);
    EXPECT_EQ(default_paths.pictures, folder + "Pictures/");
    EXPECT_EQ(default_paths.sounds, folder + "Sounds/");
    EXPECT_EQ(default_paths.games, "");
    EXPECT_EQ(default_paths.player_pictures, "");
    EXPECT_EQ(default_paths.video_clips, "");
    EXPECT_EQ(QDir::currentPath(), saved_cwd) << "the current folder is not changed";
}

TEST_F(settings_test, folders_file_entries_and_their_fallbacks) {
    // In the rows "@" stands for the program folder and "#" for a folder elsewhere.
    std::string elsewhere = make_temp_folder() + "/";
    struct row {
        const char* what;
        const char* file;
        std::vector<const char*> subfolders; // of the program folder
        const char* pictures;
        const char* sounds;
        const char* games;
        const char* player_pictures;
        const char* video;
    };
    const row table[] = {
        {"one entry",
         "#;",
         {"Sounds", "Game Sets", "Video Clips"},
         "#",
         "@Sounds/",
         "@Game Sets/",
         "",
         "@Video Clips/"},
        {"missing folders fall back",
         "@gone/;@gone2/;;#;;tail",
         {"Pictures", "Player Pics"},
         "@Pictures/",
         "",
         "",
         "#",
         ""},
        {"a last entry without its separator", ";;;;#-;", {}, "", "", "", "", "#"},
    };
    for (const auto& r : table) {
        SCOPED_TRACE(r.what);
        folder = make_temp_folder() + "/";
        program_folder_override = folder;
        auto expand = [&](const char* text) {
            std::string out;
            for (const char* c = text; *c; ++c) {
                if (*c == '@')
                    out += folder;
                else if (*c == '#' && c[1] == '-')
                    out += elsewhere.substr(0, elsewhere.size() - 1), ++c;
                else if (*c == '#')
                    out += elsewhere;
                else
                    out += *c;
            }
            return out;
        };
        for (const char* sub : r.subfolders)
            mkdir(sub);
        write_text("ZEL_DIRS.LST", expand(r.file));
        set_default_dirs();
        const std::string expected[5] = {expand(r.pictures), expand(r.sounds), expand(r.games),
                                         expand(r.player_pictures), expand(r.video)};
        EXPECT_EQ(default_paths.pictures, expected[0]);
        EXPECT_EQ(default_paths.sounds, expected[1]);
        EXPECT_EQ(default_paths.games, expected[2]);
        EXPECT_EQ(default_paths.player_pictures, expected[3]);
        EXPECT_EQ(default_paths.video_clips, expected[4]);
        // The current folder is the last folder that passed.
        std::string last;
        for (const auto& f : expected)
            if (!f.empty()) last = f;
        EXPECT_EQ(QDir::current().canonicalPath(), QDir(QString::fromStdString(last)).canonicalPath());
    }
    EXPECT_TRUE(responder.shown().empty());
}

TEST_F(settings_test, a_folders_file_that_does_not_open_keeps_the_first_defaults) {
    mkdir("ZEL_DIRS.LST");
    set_default_dirs();
    EXPECT_EQ(responder.count("Could not open 'ZEL_DIRS.LST' (list of default directories) in:", folder), 1);
    EXPECT_EQ(default_paths.pictures, folder + "Pictures/");
    EXPECT_EQ(default_paths.games, "");
}

TEST_F(settings_test, saving_the_default_folders) {
    default_paths = {folder + "P/", "", folder + "G/", "", "/v/"};
    ASSERT_TRUE(save_default_dirs());
    std::string expected = folder + "P/;;" + folder + "G/;;/v/;";
    EXPECT_EQ(read("ZEL_DIRS.LST"), std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(responder.count("Action Complete",
                              "The new default values were saved successfully to the file:  \n\r" + folder +
                                  "ZEL_DIRS.LST"),
              1);

    responder.clear();
    default_paths.sounds = "/changed/";
    set_write_failure_after(2);
    EXPECT_FALSE(save_default_dirs());
    EXPECT_EQ(
        responder.count("File Error", "Could not write the file:\n\r   " + folder +
                                          "ZEL_DIRS.LST\n\r(No space left on device)\n\rThe folders hold "
                                          "for this run only."),
        1);
    EXPECT_EQ(responder.count("Action Complete"), 0);
    EXPECT_EQ(read("ZEL_DIRS.LST"), std::vector<std::uint8_t>(expected.begin(), expected.end()));
}
} // namespace
