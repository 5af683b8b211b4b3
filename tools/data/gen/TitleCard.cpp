// TitleCard.cpp -- the title card: the game's name in large letters over a
// small ball-and-paddles emblem, and the keys below. The game shows it as a
// square, lit from above and 80% opaque, so it keeps to strong colours.
#include <cmath>
#include <string>

#include "data/gen/BitmapFont.h"
#include "data/gen/ScenePictures.h"

namespace {

const Colour kInk{0.04, 0.05, 0.14};
const Colour kGold{1.0, 0.78, 0.25};
const Colour kKeyColour{0.45, 0.85, 1.0};
const Colour kWhite{0.95, 0.95, 0.98};

void PaintBackground(Picture& p) {
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      double dx = (x - p.width / 2.0) / p.width, dy = (y - p.height * 0.38) / p.height;
      double glow = std::exp(-(dx * dx + dy * dy) * 9.0);
      Colour base = Mix(Colour{0.06, 0.08, 0.22}, Colour{0.02, 0.02, 0.08}, y / double(p.height));
      p.At(x, y) = base + Colour{0.10, 0.12, 0.30} * glow;
    }
  }
}

// A rounded frame line inset from the card's edge.
void PaintFrame(Picture& p, double inset, double thickness, Colour colour) {
  const double radius = 28.0;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      double hx = p.width / 2.0 - inset - radius, hy = p.height / 2.0 - inset - radius;
      double qx = std::fabs(x + 0.5 - p.width / 2.0) - hx,
             qy = std::fabs(y + 0.5 - p.height / 2.0) - hy;
      double outside =
          std::hypot(std::fmax(qx, 0.0), std::fmax(qy, 0.0)) + std::fmin(std::fmax(qx, qy), 0.0);
      double edge = std::fabs(outside - radius);
      p.Blend(x, y, colour, Clamp01(thickness / 2 + 0.5 - edge));
    }
  }
}

// A shaded ball between two paddles seen edge on.
void PaintEmblem(Picture& p, int cx, int cy) {
  for (int y = cy - 30; y <= cy + 30; ++y) {
    for (int x = cx - 120; x <= cx + 120; ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      double r = std::hypot(dx, dy);
      if (r < 22.0) {
        double light = Clamp01(0.55 - (dx + dy) / 40.0);
        Colour ball = Mix(Colour{0.9, 0.3, 0.1}, Colour{1.0, 0.95, 0.6}, light);
        p.Blend(x, y, ball, Clamp01(22.0 - r));
      }
      double paddle = std::fmax(std::fabs(std::fabs(dx) - 100.0) - 5.0, std::fabs(dy) - 28.0);
      p.Blend(x, y, kKeyColour, Clamp01(0.5 - paddle));
    }
  }
}

// Paints colour through the mask, with a dark outline and a drop shadow.
void PaintLettering(Picture& p, const Mask& mask, int outline, int shadow, Colour top,
                    Colour bottom, int textTop, int textHeight) {
  Mask rim = Dilate(mask, outline);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      p.Blend(x, y, Colour{0, 0, 0}, 0.6 * rim.At(x - shadow, y - shadow));
      p.Blend(x, y, kInk, rim.At(x, y));
      double f = Clamp01((y - textTop) / double(textHeight));
      p.Blend(x, y, Mix(top, bottom, f), mask.At(x, y));
    }
  }
}

// One key line: the key's name in the key colour, then what it does.
void PaintKeyLine(Picture& p, const std::string& key, const std::string& action, int x, int y) {
  const int scale = 3;
  Mask keyMask(p.width, p.height), actionMask(p.width, p.height);
  RenderText(keyMask, key, x, y, scale);
  RenderText(actionMask, action, x + TextWidth(key + " ", scale) + scale, y, scale);
  PaintLettering(p, keyMask, 2, 2, kKeyColour, kKeyColour, y, kGlyphHeight * scale);
  PaintLettering(p, actionMask, 2, 2, kWhite, kWhite, y, kGlyphHeight * scale);
}

}  // namespace

Picture PaintTitleCard() {
  Picture p(kTitleSize, kTitleSize);
  PaintBackground(p);
  PaintFrame(p, 14.0, 4.0, kGold);
  PaintFrame(p, 24.0, 1.5, kGold * 0.7);
  PaintEmblem(p, kTitleSize / 2, 118);

  const std::string name = "courtball";
  const int scale = 8;
  const int nameTop = 176;
  Mask nameMask(p.width, p.height);
  RenderText(nameMask, name, (kTitleSize - TextWidth(name, scale)) / 2, nameTop, scale);
  PaintLettering(p, nameMask, 4, 5, Colour{1.0, 0.95, 0.55}, Colour{1.0, 0.45, 0.1}, nameTop,
                 kGlyphHeight * scale);

  const int left = (kTitleSize - TextWidth("Space: mouse paddle", 3) - 3) / 2;
  PaintKeyLine(p, "Space:", "mouse paddle", left, 308);
  PaintKeyLine(p, "R:", "camera", left, 350);
  PaintKeyLine(p, "Esc:", "exit", left, 392);
  PaintKeyLine(p, "M:", "sound", left, 434);
  return p;
}
