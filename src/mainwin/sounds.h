// The game's sound effects, played from the "game-sounds" folder of the program folder while
// sound is on. A missing file or sound device gives no sound and no message.
#pragma once

void play_card_sound();
void play_shuffle_sound();
void play_move_done_sound();
void play_move_sound();
void play_dice_sound();
void play_delete_sound();
void play_flip_sound();
