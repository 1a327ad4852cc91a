#include "win32/framework/module_services.h"

#include "win32/framework/com_module.h"

namespace vexa::win32 {

ModuleServices::ModuleServices() : paths(ModuleInstance()) {}

ModuleServices& Services() {
    static ModuleServices services;
    return services;
}

}  // namespace vexa::win32
