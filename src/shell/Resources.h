#pragma once
// The program's icons and other compiled-in resources.

namespace kurvex {

void InitResources();

}  // namespace kurvex
