// The Linux module carries its PiPL in a section of its own, where the host reads it from the
// file before it calls the entry point.
#include "plugin/pipl.h"

namespace {

__attribute__((section(".skelda_pipl"), used)) constexpr auto kSectionPipl = pipl_detail::kModulePipl;

}  // namespace
