#pragma once

// Our openNURBS layer: the toolkit's classes that the add-in and its libraries use.
#include "opennurbs_defines.h"
#include "opennurbs_point.h"
#include "opennurbs_array.h"
#include "opennurbs_xform.h"
#include "opennurbs_bounding_box.h"
#include "opennurbs_object.h"
#include "opennurbs_geometry.h"
#include "opennurbs_color.h"
#include "opennurbs_textlog.h"
#include "opennurbs_mesh_topology.h"
#include "opennurbs_mesh.h"
#include "opennurbs_interval.h"
#include "opennurbs_line.h"
#include "opennurbs_polyline.h"
#include "opennurbs_plane.h"
#include "opennurbs_circle.h"
