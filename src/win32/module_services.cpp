#include "win32/module_services.h"

#include "win32/com_module.h"

namespace vexa::win32 {

ModuleServices::ModuleServices() : paths(ModuleInstance()) {}

ModuleServices& Services() {
    static ModuleServices services;
    return services;
}

}  // namespace vexa::win32
