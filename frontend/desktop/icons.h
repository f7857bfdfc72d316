// The program's icon for its windows, at the sizes window managers ask for.
#pragma once

#include <wx/iconbndl.h>

wxIconBundle program_icon_bundle();
