// The info boxes of the main window: their paint from the panel buffers, the refresh as the
// mouse moves over the map, the split bars, and the cycle buttons.
#pragma once

class main_form;

// Connects the boxes, the map frame's mouse moves, the split bars and the cycle buttons.
void connect_info_boxes(main_form& f);
// Gives the panel buffers the sizes of the boxes (after a layout).
void size_info_panels(main_form& f);
// The mouse is at (x, y) of the map view: stores it and, with a map loaded and the view ready,
// refills the panels for the hex there and paints both boxes at once.
void refresh_info_boxes_at(main_form& f, int x, int y);
// A split bar was dragged by d pixels (right or down positive): the boxes and the map are laid
// out again.
void drag_vsplit(main_form& f, int d);
void drag_hsplit(main_form& f, int d);
