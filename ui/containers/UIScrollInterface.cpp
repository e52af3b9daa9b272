// UIScrollInterface: the out-of-line destructor, so the interface's type information lives in one object file.
#include "ui/containers/UIScrollInterface.h"

namespace ui {

UIScrollInterface::~UIScrollInterface() = default;

}  // namespace ui
