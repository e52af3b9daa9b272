// The whole widget toolkit in one include.
#pragma once

#include "ui/controls/CCScale9Sprite.h"
#include "ui/widgets/UIWidget.h"
#include "ui/widgets/GUIRenderer.h"
#include "ui/widgets/LayoutParameter.h"
#include "ui/widgets/LinearLayoutParameter.h"
#include "ui/widgets/RelativeLayoutParameter.h"
#include "ui/widgets/RectClippingNode.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/UIRootWidget.h"
#include "ui/widgets/UITouchRouter.h"
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/UILayer.h"
#include "ui/widgets/UIButton.h"
