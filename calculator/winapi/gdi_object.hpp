// Ownership of GDI objects (fonts, brushes): deleted when their holder goes.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tuneworks {

struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};

template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using Font = GdiObject<HFONT>;

}  // namespace tuneworks
