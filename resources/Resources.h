#pragma once

#include "resources/DialogTemplate.h"
#include "resources/MenuTemplate.h"

namespace lumagrove::resources {

const MenuTemplate& ImageWindowMenuTemplate();   // 102
const DialogTemplate& ControlWindowTemplate();   // 101, modeless
const DialogTemplate& ParametersTemplate();      // 103, modal
const DialogTemplate& EdgeParametersTemplate();  // 104, modal

// The resources by number; nullptr for a number that names none.
const MenuTemplate* FindMenu(int id);
const DialogTemplate* FindDialog(int id);

}  // namespace lumagrove::resources
