#pragma once
// How rings lie against each other, as GEOS sees them: a ring that cuts
// itself, an interior ring outside or across its exterior, polygons of one
// feature that overlap.

#include <memory>

#include "check/gml_model.hpp"
#include "check/problem.hpp"

namespace vadrel::check {

class TopologyCheck {
public:
    TopologyCheck();
    ~TopologyCheck();
    TopologyCheck(const TopologyCheck&) = delete;
    TopologyCheck& operator=(const TopologyCheck&) = delete;

    // Looks only at rings already read and closed (see checkRings).
    void check(const Feature& feature, Problems& out);

private:
    struct Context;
    std::unique_ptr<Context> context_;
};

}  // namespace vadrel::check
