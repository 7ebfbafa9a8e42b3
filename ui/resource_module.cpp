#include "ui/resource_module.h"

namespace ui {
namespace {

HINSTANCE g_resourceModule = nullptr;

}  // namespace

HINSTANCE resourceModule() { return g_resourceModule ? g_resourceModule : GetModuleHandleW(nullptr); }
void setResourceModule(HINSTANCE module) { g_resourceModule = module; }

}  // namespace ui
