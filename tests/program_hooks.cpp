// Every test program starts as the program does: the lower layers' hooks are set before the first
// test runs (tests of the unset hooks clear and restore them themselves).
#include "app/layer_hooks.h"

namespace {
const int kHooksSet = (SetLayerHooks(), 1);
}  // namespace
