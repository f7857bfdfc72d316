// The program's icon drawn into toolkit icons at 16, 32 and 48 pixels.
#include "frontend/desktop/icons.h"

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/image.h>

#include "frontend/logic/program_icon.h"

wxIconBundle program_icon_bundle() {
  wxIconBundle bundle;
  for (int size : {16, 32, 48}) {
    const std::vector<uint32_t> px = program_icon_pixels(size);
    if (px.empty()) continue;
    wxImage image(size, size, false);
    unsigned char* out = image.GetData();
    for (size_t i = 0; i < px.size(); ++i) {
      out[3 * i] = static_cast<unsigned char>(px[i] >> 16);
      out[3 * i + 1] = static_cast<unsigned char>(px[i] >> 8);
      out[3 * i + 2] = static_cast<unsigned char>(px[i]);
    }
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    bundle.AddIcon(icon);
  }
  return bundle;
}
