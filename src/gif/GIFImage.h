// The GIF image codec as the application sees it: including this header (or linking the gif
// library) registers TGIFImage with the picture class for "GIF" files and the clipboard.
#pragma once

#include "gif_extensions.h"
#include "gif_frame.h"
#include "gif_image.h"
#include "gif_optimize.h"
#include "gif_painter.h"
#include "gif_reduce.h"
