// RenderState.h -- the fixed GL state every frame relies on, and the
// perspective projection kept in step with the window size.
#pragma once

// How a client narrower than 4:3 shows the court. The desktop keeps its 60
// degrees from top to bottom and loses the sides; the page opens the view
// from top to bottom until the 4:3 width fits, so a portrait phone shows the
// whole court, as large as 4:3 would, with more above and below it.
enum class NarrowView { kCropSides, kWholeWidth };

// Sets the fixed-function state once, right after the context is current.
void InitRenderState();
// Viewport and 60-degree perspective for the client size; height 0 counts as 1.
// Leaves the model-view matrix selected and set to the identity.
void ResizeViewport(int width, int height, NarrowView narrow = NarrowView::kCropSides);
