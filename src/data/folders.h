// The program's folder and the user's default folders: where the settings files live and where
// choosers start (set and kept by the settings files of mainwin/).
#pragma once

#include <string>

extern std::string program_folder; // ends with a separator
// When set, the program folder used instead of the executable's (tests).
extern std::string program_folder_override;

// The five default folders, each empty or ending with a separator.
struct default_path_names_struct {
    std::string pictures, sounds, games, player_pictures, video_clips;
};
extern default_path_names_struct default_paths;
