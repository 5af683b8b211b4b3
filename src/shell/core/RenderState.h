// RenderState.h -- the fixed GL state every frame relies on, and the
// perspective projection kept in step with the window size.
#pragma once

// Sets the fixed-function state once, right after the context is current.
void InitRenderState();
// Viewport and 60-degree perspective for the client size; height 0 counts as 1.
// Leaves the model-view matrix selected and set to the identity.
void ResizeViewport(int width, int height);
