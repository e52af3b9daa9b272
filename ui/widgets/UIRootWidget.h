// The root of a UI layer's widget tree: a panel as large as the window.
#pragma once

#include "ui/widgets/Layout.h"

namespace ui {

class UIRootWidget : public Layout {
public:
    UIRootWidget() = default;
    ~UIRootWidget() override;

    static UIRootWidget* create();

    const char* getTypeName() override;
    bool init() override;
};

}  // namespace ui
