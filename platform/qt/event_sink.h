#pragma once

// How the Qt widgets hand their events to the services: a UiEvent and, for the canvas, the mouse
// position in canvas pixels.

#include <functional>

#include "platform/gui_services.h"

namespace glyphwright::qt {

using EventSink = std::function<void(const UiEvent& event, ScreenPoint mouse)>;

}  // namespace glyphwright::qt
