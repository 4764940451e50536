#pragma once

#include <array>
#include <cstddef>

#include "aegp_suites.h"

// The suites HostSuites knows, each in one version.
enum class KnownSuite {
    Comp,
    Proj,
    Layer,
    Stream,
    Keyframe,
    Canvas,
    Camera,
    Register,
    Memory,
    Item,
    Light,
    Effect,
    LayerMask,
    MaskOutline,
    Footage,
    Command,
    Utility,
    PFAnsi,
    PFHandle,
    PFFillMatte,
    PFWorldTransform,
    Composite,
    PFWorld,
    PFInterface,
    PFPathQuery,
    PFPathData,
    PFAEApp,
    IOIn,
    IOOut,
    RenderQueue,
    FileImportManager,
    PFSampling8,
    PFSampling16,
    PFIterate8,
    PFIterate16,
    Collection,
    Count
};

struct KnownSuiteName {
    const char* name;
    A_long version;
};

// Name and version under which HostSuites acquires a known suite.
KnownSuiteName knownSuiteName(KnownSuite suite);

// Suites acquired on first use and released, each by its own name and version, when the record
// goes. Lives for one operation (a report, a project count).
class HostSuites {
public:
    // Uses the basic suite of the host context; without one it throws the integer 512.
    HostSuites();
    explicit HostSuites(const SPBasicSuite* basic);
    ~HostSuites();

    HostSuites(const HostSuites&) = delete;
    HostSuites& operator=(const HostSuites&) = delete;

    // The suite's function table, acquired now if not yet held; throws 512 when unavailable.
    const void* get(KnownSuite suite);

    const AEGP_UtilitySuite1& utility() {
        return *static_cast<const AEGP_UtilitySuite1*>(get(KnownSuite::Utility));
    }
    const AEGP_ProjSuite1& proj() { return *static_cast<const AEGP_ProjSuite1*>(get(KnownSuite::Proj)); }
    const PF_ANSICallbacksSuite1& ansi() {
        return *static_cast<const PF_ANSICallbacksSuite1*>(get(KnownSuite::PFAnsi));
    }

private:
    const SPBasicSuite* basic_;
    std::array<const void*, static_cast<std::size_t>(KnownSuite::Count)> slots_{};
};
