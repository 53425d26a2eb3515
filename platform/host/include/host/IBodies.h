// Bodies under construction and made bodies with their faces.
#pragma once

#include "oaidl.h"

#include "host/HostIds.h"

struct IBody;
struct IFace;
struct IHostSurface;

struct ITemporaryBody : public IDispatch
{
    // `points` holds n points of x, y, z (n is 3 or 4); `normal` one unit vector.
    virtual HRESULT AddPlanarFace(int n, const double* points, const double* normal) = 0;
    // Makes a body of the part from the faces and surfaces added so far.
    virtual HRESULT MakeBody(IBody** body) = 0;
    // properties: order u, order v, count v, count u, periodic u, periodic v, dimension, 0;
    // knots: order + count values per direction; control points: u fastest, 3 doubles each.
    virtual HRESULT CreateBSplineSurface(const LONG* properties, const double* uKnots, const double* vKnots,
                                         const double* controlPoints, IHostSurface** surface) = 0;
    virtual HRESULT CreatePlanarSurface(const double* rootPoint, const double* normal, IHostSurface** surface) = 0;
    // Whether the surface made last is trimmed by its loop.
    virtual HRESULT IsSurfaceTrimmed(short* trimmed) = 0;
    // Bounds the surface made last by u min, u max, v min, v max.
    virtual HRESULT BoundSurface(LONG a, LONG b, const double* bounds) = 0;

protected:
    ~ITemporaryBody() = default;
};

struct IHostSurface : public IDispatch
{
    // A loop of `count` curves: per curve its order, dimension, periodic flag, knot count and
    // control-point count; then all knots and all control points (3 doubles each).
    virtual HRESULT AddTrimmingLoop(LONG count, const LONG* orders, const LONG* dimensions, const LONG* periodic,
                                    const LONG* knotCounts, const LONG* controlPointCounts, const double* knots,
                                    const double* controlPoints, const double* reserved) = 0;

protected:
    ~IHostSurface() = default;
};

struct IBody : public IDispatch
{
    virtual HRESULT GetFirstFace(IFace** face) = 0;
    virtual HRESULT GetName(BSTR* name) = 0;

protected:
    ~IBody() = default;
};

struct IFace : public IDispatch
{
    virtual HRESULT GetTriangleCount(LONG* count) = 0;
    // Writes 9 floats per triangle: its three corners.
    virtual HRESULT GetTriangles(LONG first, float* corners) = 0;
    virtual HRESULT GetNextFace(IFace** face) = 0;

protected:
    ~IFace() = default;
};

struct IEnumBodies : public IUnknown
{
    // S_OK with the next body, S_FALSE at the end.
    virtual HRESULT Next(ULONG count, IBody** body, ULONG* fetched) = 0;

protected:
    ~IEnumBodies() = default;
};
