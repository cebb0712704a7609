#pragma once
// The polyline entities of a DXF drawing, group code by group code: the
// lightweight LWPOLYLINE, or, in a drawing that has none (DXF R12), the
// POLYLINE entity with its VERTEX entities up to SEQEND. What the values
// become is the caller's (see io/dxf_scan.hpp).

#include <cstddef>
#include <string_view>

namespace vadrel {

class LectorPolilineas {
public:
    virtual ~LectorPolilineas() = default;
    // Polyline number k (from 0) starts; false stops the reading there.
    virtual bool empieza(std::size_t k) = 0;
    // A vertex's X (code 10) or Y (code 20), the line as written.
    virtual void valor(bool esX, std::string_view texto) = 0;
    // The bulge (code 42) of the polyline's vertex number `vertice` (from
    // 0): the arc of the segment that leaves that vertex.
    virtual void bulge(std::size_t vertice, std::string_view texto) = 0;
    // The polyline ends; `cerrada` by its flag 1 (code 70).
    virtual void termina(bool cerrada) = 0;
};

enum class ClasePolilinea { ninguna, ligera, r12 };

// Reads the polylines of the ENTITIES section (or of a bare list of
// entities without sections; never those of a block definition, nor a
// class of the CLASSES section named like one), up to a line holding
// "ENDSEC" or the end of the text, and tells `lector` about each.
//
// LWPOLYLINE: an entity whose name stands at one of the first four
// characters of its line; further LWPOLYLINEs are further polylines.
// POLYLINE (only when there is no LWPOLYLINE): the name as the whole line,
// blanks aside; one whose flags mark a 3D mesh (16) or a polyface mesh (64)
// is skipped with its vertices. Its own 10 and 20 (a dummy point) are no
// vertex: its VERTEX entities' are. Group codes are compared as whole
// trimmed lines.
ClasePolilinea recorrePolilineas(std::string_view text, LectorPolilineas& lector);

}  // namespace vadrel
