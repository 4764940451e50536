#include "sim/host/host_call.h"

namespace simhost {
namespace {

thread_local int t_depth = 0;

}  // namespace

bool insideHostCall() noexcept {
    return t_depth > 0;
}

namespace detail {

HostCallMark::HostCallMark() noexcept {
    ++t_depth;
}

HostCallMark::~HostCallMark() {
    --t_depth;
}

}  // namespace detail
}  // namespace simhost
