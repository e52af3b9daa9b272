// The whole widget toolkit in one include, room by room from the ground floor up: a room includes
// only the rooms listed before it.
#pragma once

// ui/nodes: the nodes widgets draw with
#include "ui/nodes/CCScale9Sprite.h"
#include "ui/nodes/UICCLabelAtlas.h"
#include "ui/nodes/UICCTextField.h"

// ui/widgets: the widget base, layouts, touch routing, button, image, label
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/GUIRenderer.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/LayoutParameter.h"
#include "ui/widgets/LinearLayoutParameter.h"
#include "ui/widgets/RectClippingNode.h"
#include "ui/widgets/RelativeLayoutParameter.h"
#include "ui/widgets/UIButton.h"
#include "ui/widgets/UIImageView.h"
#include "ui/widgets/UILabel.h"
#include "ui/widgets/UILayer.h"
#include "ui/widgets/UIRootWidget.h"
#include "ui/widgets/UITouchRouter.h"
#include "ui/widgets/UIWidget.h"

// ui/containers: scroll view, page view, drag panel
#include "ui/containers/UIDragPanel.h"
#include "ui/containers/UIPageView.h"
#include "ui/containers/UIScrollContainer.h"
#include "ui/containers/UIScrollInterface.h"
#include "ui/containers/UIScrollView.h"

// ui/controls: check box, slider, loading bar, text field, atlas and bitmap-font labels
#include "ui/controls/UICheckBox.h"
#include "ui/controls/UILabelAtlas.h"
#include "ui/controls/UILabelBMFont.h"
#include "ui/controls/UILoadingBar.h"
#include "ui/controls/UISlider.h"
#include "ui/controls/UITextField.h"

// ui/layout: the layout-file reader and key-frame animations
#include "ui/layout/ActionFadeFrame.h"
#include "ui/layout/ActionFrame.h"
#include "ui/layout/ActionManager.h"
#include "ui/layout/ActionMoveFrame.h"
#include "ui/layout/ActionNode.h"
#include "ui/layout/ActionObject.h"
#include "ui/layout/ActionRotationFrame.h"
#include "ui/layout/ActionScaleFrame.h"
#include "ui/layout/ActionTintFrame.h"
#include "ui/layout/GUIReader.h"
#include "ui/layout/LayoutImages.h"
#include "ui/layout/JsonDictionary.h"
#include "ui/layout/LayoutPaths.h"
#include "ui/layout/WidgetJson.h"
#include "ui/layout/WidgetOptionSets.h"
