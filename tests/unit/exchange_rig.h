#pragma once

#include "common/property_exchange.h"

namespace vexa::test {

// A control's logic loaded from what a container saved (nothing: a new
// control) and saved again, as a container does it.
template <class Logic>
void LoadProperties(Logic& logic, common::PropertyMap map = {}, bool userMode = true) {
    common::MapExchange px(map, true);
    logic.Exchange(px, userMode);
}

template <class Logic>
common::PropertyMap SaveProperties(Logic& logic, bool userMode = true) {
    common::PropertyMap map;
    common::MapExchange px(map, false);
    logic.Exchange(px, userMode);
    return map;
}

}  // namespace vexa::test
