// Sketches and the entities made in them.
#pragma once

#include "oaidl.h"

#include "host/HostIds.h"

struct ISketchSegment : public IDispatch
{
protected:
    ~ISketchSegment() = default;
};

struct ISketchPoint : public IDispatch
{
protected:
    ~ISketchPoint() = default;
};

// A sketch's geometry as records of doubles in metres; the caller allocates each buffer with
// exactly the reported length.
struct ISketch : public IDispatch
{
    virtual HRESULT GetLineCount(LONG* count) = 0;
    // 12 doubles per line: 6 of the host's, then start x, y, z and end x, y, z.
    virtual HRESULT GetLines(double* data) = 0;
    virtual HRESULT GetArcCount(LONG* count) = 0;
    // 16 doubles per arc: 6 of the host's, start, end, centre, direction (-1.0: about -z).
    virtual HRESULT GetArcs(double* data) = 0;
    // Size in doubles and the number of polyline records.
    virtual HRESULT GetPolylineDataSize(LONG* size, LONG* count) = 0;
    virtual HRESULT GetPolylines(double* data) = 0;
    virtual HRESULT GetSplineDataSize(LONG* size, LONG* count) = 0;
    virtual HRESULT GetSplines(double* data) = 0;

protected:
    ~ISketch() = default;
};
