#include "resources/Resources.h"

#include "resources/ControlIds.h"

namespace lumagrove::resources {

const MenuTemplate* FindMenu(int id) { return id == ImageWindowMenu ? &ImageWindowMenuTemplate() : nullptr; }

const DialogTemplate* FindDialog(int id) {
    switch (id) {
        case ControlWindowDialog: return &ControlWindowTemplate();
        case ParametersDialog: return &ParametersTemplate();
        case EdgeParametersDialog: return &EdgeParametersTemplate();
        default: return nullptr;
    }
}

}  // namespace lumagrove::resources
