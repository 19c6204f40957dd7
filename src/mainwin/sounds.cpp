#include "sounds.h"

#include "data/options.h"
#include "mainwin/settings_files.h"
#include "platform/app_services.h"
#include "platform/files.h"

#include <string>

namespace {

void play_sound_file(const std::string& file) {
    if (sound_on == 0) return;
    std::string name = without_extension(file) + ".WAV";
    // The sound files were named on a case-blind system.
    if (auto found = find_file_case_blind(join_path(join_path(program_folder, "game-sounds"), name)))
        play_wave_file(*found);
}

} // namespace

void play_card_sound() {
    play_sound_file("play-card.wav");
}
void play_shuffle_sound() {
    play_sound_file("shuffle.wav");
}
void play_move_done_sound() {
    play_sound_file("movedone.wav");
}
void play_move_sound() {
    play_sound_file("move.wav");
}
void play_dice_sound() {
    play_sound_file("dice.wav");
}
void play_delete_sound() {
    play_sound_file("delete.wav");
}
void play_flip_sound() {
    play_sound_file("flip.wav");
}
