// The few node chores every image-showing widget repeats: reloading an image, tinting it, stretching it to a box, showing part of a bar.
#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"
#include "engine/scene/CCNode.h"
#include "ui/nodes/TextureResType.h"

namespace ui {
namespace nodes {

// A fresh image node: a nine-slice sprite or a plain one (autoreleased).
engine::CCNode* makeImageNode(bool nineSlice);

// Re-initialises a CCSprite or CCScale9Sprite from a file or sprite-frame name. Types other
// than the two known ones, unknown node kinds and empty names leave the node alone.
void reload(engine::CCNode* node, const std::string& name, TextureResType type);

// Gives a node that has the colour interface the widget's colour and opacity.
void tint(engine::CCNode* node, const engine::ccColor3B& color, int opacity);

// Scales node so that natural fills target; a natural size without area (an image that did
// not load) leaves the node at scale 1 rather than dividing by zero.
void stretch(engine::CCNode* node, const engine::CCSize& target, const engine::CCSize& natural);

// Shows the share r (0..1) of a bar image from its left end: a nine-slice bar is sized to
// r * fullLength (and hidden at no length, where it would still draw its two caps); a plain
// sprite is cut to r of its texture's width, keeping a sprite frame's origin in its sheet.
void showBarShare(engine::CCNode* bar, bool nineSlice, float r, float fullLength, const engine::CCSize& textureSize,
                  TextureResType type);

// Hands cap insets to a nine-slice node; plain sprites have none to take.
void setCapInsets(engine::CCNode* node, bool nineSlice, const engine::CCRect& insets);

// A positive, finite area.
bool hasArea(const engine::CCSize& size);

}  // namespace nodes
}  // namespace ui
