// The info-page set of a game: the .IPX index and its page files.
#pragma once

// Loads the info-page index of the game just opened. Does nothing yet.
void load_info_page_set();
