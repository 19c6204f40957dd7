#include "current_player.h"

int current_player = -1;
