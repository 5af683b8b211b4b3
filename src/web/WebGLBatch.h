// WebGLBatch.h -- what the fixed-function layer asks of WebGL: small shader
// programs that place, colour and texture vertices already lit and mapped,
// and the pieces of state WebGL keeps itself.
#pragma once
#include <cstdint>

// A vertex as the fixed-function stages leave it: clip position, clamped
// colour, texture coordinates.
struct BatchVertex {
  float clip[4];
  float colour[4];
  float tex[2];
};

// How a fragment's colour meets the bound texture.
enum class TexturePath { kNone, kModulate, kDecal };

// Draws count vertices as triangles with the current WebGL state, blending
// on or off, and the bound texture (not sampled on the plain path).
void DrawBatch(const BatchVertex* vertices, int count, TexturePath path, bool blend);

// Depth test and face culling live in WebGL itself.
void WebCapability(unsigned cap, bool on);
void WebClear(unsigned mask);
void WebClearColour(float red, float green, float blue, float alpha);
void WebViewport(int x, int y, int width, int height);
void WebFrontFace(unsigned mode);
void WebBlendFunc(unsigned source, unsigned destination);
void WebFlush();
unsigned WebNewTexture();
void WebBindTexture(unsigned name);
void WebTexParameter(unsigned pname, int value);
// One mipmap level of the bound texture, tightly packed RGB rows.
void WebTextureLevel(int level, int width, int height, const std::uint8_t* rgb);
