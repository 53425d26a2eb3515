// Documents: the model document every document has, and the part, assembly and drawing views.
#pragma once

#include "oaidl.h"

#include "host/HostIds.h"

struct ISketchSegment;
struct ISketchPoint;
struct IConfiguration;
struct ITemporaryBody;
struct IEnumBodies;

struct IModelDoc : public IDispatch
{
    virtual HRESULT SetLengthUnit(LONG unit) = 0;
    virtual HRESULT GetLengthUnit(LONG* unit) = 0;
    // Opens the 3D sketch; the same call closes it again.
    virtual HRESULT ToggleSketch3D(LONG flag) = 0;
    // Operations called around the making of content, with roles of the host's own.
    virtual HRESULT PrepareFirst(LONG flag) = 0;
    virtual HRESULT PrepareSecond(LONG flag) = 0;
    virtual HRESULT FinishFirst() = 0;
    virtual HRESULT FinishSecond() = 0;
    virtual HRESULT FinishThird() = 0;

    // Sketch entities; lengths in metres.
    virtual HRESULT CreateSketchPoint(double x, double y, double z, ISketchPoint** point) = 0;
    virtual HRESULT CreateSketchLine(double x1, double y1, double z1, double x2, double y2, double z2,
                                     ISketchSegment** line) = 0;
    virtual HRESULT CreateSketchCircle(double cx, double cy, double cz, double radius, ISketchSegment** circle) = 0;
    virtual HRESULT CreateSketchArc(double cx, double cy, double cz, double sx, double sy, double sz, double ex,
                                    double ey, double ez, short direction, ISketchSegment** arc) = 0;
    // `points` holds 3 x count doubles.
    virtual HRESULT CreateSketchSpline(LONG count, const double* points, ISketchSegment** spline) = 0;
    // properties: dimension, order, control-point count, periodic; knots: order + count values;
    // controlPoints: 3 x count doubles.
    virtual HRESULT CreateSketchBSpline(const LONG* properties, const double* knots, const double* controlPoints,
                                        ISketchSegment** spline) = 0;

    virtual HRESULT WriteModel(BSTR path, LONG options, short a, short b, LONG* status) = 0;
    virtual HRESULT GetActiveConfiguration(IConfiguration** configuration) = 0;

protected:
    ~IModelDoc() = default;
};

struct ITitledModelDoc : public IDispatch
{
    virtual HRESULT GetTitle(BSTR* title) = 0;

protected:
    ~ITitledModelDoc() = default;
};

struct IPartDoc : public IDispatch
{
    virtual HRESULT CreateTemporaryBody(ITemporaryBody** body) = 0;
    // Writes ten doubles: red, green, blue (0..1), ..., transparency at index 7, ...
    virtual HRESULT GetMaterialValues(double* values) = 0;
    // kind 0: solid bodies, 1: sheet bodies.
    virtual HRESULT GetBodies(LONG kind, short visibleOnly, IEnumBodies** bodies) = 0;

protected:
    ~IPartDoc() = default;
};

struct IAssemblyDoc : public IDispatch
{
    // An operation of the host's own, called before the component tree is read.
    virtual HRESULT PrepareAssembly(LONG flag, LONG* result) = 0;

protected:
    ~IAssemblyDoc() = default;
};

struct IDrawingDoc : public IDispatch
{
protected:
    ~IDrawingDoc() = default;
};
