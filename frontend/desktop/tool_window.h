// Placing the program's floating windows on the main frame's client area, kept on the screen.
#pragma once

#include <wx/frame.h>

// The screen position of a point of the main frame's client area, moved so that a window of the given outer
// size stays on the screen.
wxPoint place_on_main_client(int x, int y, const wxSize& outer);
// Moves a top-level window so that it lies on the screen (shrinking it when it is larger).
void keep_window_on_screen(wxTopLevelWindow* window);
// The style of the floating tool windows: a caption, kept above the main frame, no task bar entry.
constexpr long kToolWindowStyle = wxCAPTION | wxFRAME_TOOL_WINDOW | wxFRAME_FLOAT_ON_PARENT | wxFRAME_NO_TASKBAR |
                                  wxCLIP_CHILDREN | wxNO_FULL_REPAINT_ON_RESIZE;
