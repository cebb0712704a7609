#pragma once
// GEOS's reentrant C API held in owning handles, for the check and the
// comparison alike.

#include <geos_c.h>

#include <memory>

namespace vadrel {

// One GEOS context per check or comparison; its messages are not ours to
// print (a failure shows as a null result, which the caller handles).
class Geos {
public:
    Geos() : handle_(GEOS_init_r())
    {
        GEOSContext_setNoticeMessageHandler_r(handle_, nullptr, nullptr);
        GEOSContext_setErrorMessageHandler_r(handle_, nullptr, nullptr);
    }
    ~Geos() { GEOS_finish_r(handle_); }
    Geos(const Geos&) = delete;
    Geos& operator=(const Geos&) = delete;

    GEOSContextHandle_t handle() const { return handle_; }

private:
    GEOSContextHandle_t handle_;
};

struct GeomDeleter {
    GEOSContextHandle_t handle = nullptr;
    void operator()(GEOSGeometry* g) const
    {
        if (g) GEOSGeom_destroy_r(handle, g);
    }
};
using Geom = std::unique_ptr<GEOSGeometry, GeomDeleter>;

struct PreparedDeleter {
    GEOSContextHandle_t handle = nullptr;
    void operator()(const GEOSPreparedGeometry* g) const
    {
        if (g) GEOSPreparedGeom_destroy_r(handle, g);
    }
};
using Prepared = std::unique_ptr<const GEOSPreparedGeometry, PreparedDeleter>;

struct TreeDeleter {
    GEOSContextHandle_t handle = nullptr;
    void operator()(GEOSSTRtree* t) const
    {
        if (t) GEOSSTRtree_destroy_r(handle, t);
    }
};
using Tree = std::unique_ptr<GEOSSTRtree, TreeDeleter>;

}  // namespace vadrel
