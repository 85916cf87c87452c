#pragma once
#include <string_view>

#include "actors/image_sprite.h"

class TSpriteEngine;
class TDXImageList;

// A decorative animated picture under the root (the help screen's): the named item of
// `images`, looping at framesPerSecond, starting on frame 0 or 1 at random, centred on
// (x, y - pattern height div 2) so that its lower edge sits at about y. Raises
// EImageNotFound for an unknown name.
TImageSprite* ShowPicture(TSpriteEngine& root, TDXImageList& images, int x, int y,
                          std::string_view imageName, double framesPerSecond);
