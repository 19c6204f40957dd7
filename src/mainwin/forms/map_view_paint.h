// Ties the map frame of the main window to the map drawing.
#pragma once

class QWidget;

// The drawing's requests to show the screen copy repaint the frame; the view's scrolls and
// redraws go through the map drawing.
void connect_map_view(QWidget* mapscreen_frame);
// The frame's paint: copies the screen copy onto it. Always handled.
bool paint_map_frame(QWidget* mapscreen_frame);
