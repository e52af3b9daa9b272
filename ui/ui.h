// The whole widget toolkit in one include.
#pragma once

#include "ui/controls/CCScale9Sprite.h"
