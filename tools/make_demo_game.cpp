// Makes the demo game.
//
//   make_demo_game [--fresh] <output folder> [<program folder>]
//
// A demo game already in the folder is kept (it may hold a game the user played on) unless
// --fresh is given. With a program folder, the demo game is put first in that folder's
// recent-games list when the list holds no game.
#include "demo_game.h"

#include "data/game_file.h"
#include "mainwin/settings_files.h"
#include "platform/files.h"
#include "platform/responder.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool fresh = !args.empty() && args[0] == "--fresh";
    if (fresh) args.erase(args.begin());
    if (args.empty()) {
        std::fprintf(stderr, "usage: make_demo_game [--fresh] <output folder> [<program folder>]\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // Nobody answers a box here: any box shown is a failure to report.
    scripted_responder responder;

    // Absolute, so that the recent-games entry names the game from any folder.
    const std::string folder =
        QFileInfo(QString::fromLocal8Bit(args[0].c_str())).absoluteFilePath().toStdString();
    const std::string game_path = join_path(folder, "Demo.OPS");
    if (fresh || !path_is_readable_file(game_path)) {
        bool ok = make_demo_game(folder);
        for (const auto& d : responder.shown())
            std::fprintf(stderr, "make_demo_game: %s: %s\n", d.caption.c_str(), d.text.c_str());
        if (!ok || !responder.shown().empty()) return 1;
    }
    current_game_path = game_path;

    if (args.size() >= 2) {
        program_folder_override = args[1];
        set_default_dirs();
        load_recent_games();
        if (recent_games[0].empty()) save_recent_games(); // current_game_path: the demo game
    }
    std::printf("%s\n", current_game_path.c_str());
    return 0;
}
