#pragma once

#include "workspace/operation_queues.h"

#include <QPixmap>

namespace torvex {

// The pictures of the operation buttons and the queue strip: a half section of a collared shaft
// inside its stock, with the region a roughing operation removes shaded, or the outline a
// finishing pass follows drawn heavy. `size` is the side of the square picture in pixels.
QPixmap OperationIcon(RoughingOperation operation, int size);
QPixmap OperationIcon(FinishingOperation operation, int size);
// A grooved shaft: its groove shaded, or the cut that parts it off its bar.
QPixmap OperationIcon(GroovingOperation operation, int size);

} // namespace torvex
