// Host sketch geometry back into openNURBS lines, arcs, polylines and splines, in metres. These
// operations report only through their results and leave the error text alone.
#include "NVKSWON.h"

#include "NVKVector.h"

#include <new>

// A count stored as a double, truncated toward zero. False when it is negative or not a number,
// or too large for the `limit` values of the data that it would have to fit into; the record walks
// then stop rather than read past the buffer.
static bool ReadCount(double value, long long limit, long long& count)
{
    if (!(value > -1.0) || value >= double(limit))
        return false;
    count = (long long)value;
    return true;
}

static ON_3dPoint PointAt(const double* data, long long index)
{
    return ON_3dPoint(data[index], data[index + 1], data[index + 2]);
}

int NVKSWON::GetSketchLines(ISketch* pSketch, ON_ClassArray<ON_Line>& lines)
{
    lines.Destroy();
    LONG count = 0;
    pSketch->GetLineCount(&count);
    if (count <= 0)
        return 0;
    double* data = new (std::nothrow) double[12 * (size_t)count];
    if (data == NULL)
        return 0;
    // A failed read leaves the buffer unwritten: nothing is made of it.
    const bool read = pSketch->GetLines(data) == S_OK;
    if (read)
    {
        // Per line: six values of the host's, the start point, the end point.
        for (long long k = 0; k < count; k++)
            lines.Append(ON_Line(PointAt(data, 12 * k + 6), PointAt(data, 12 * k + 9)));
    }
    delete[] data;
    return read ? 1 : 0;
}

// One arc record: start, end, centre and the direction (-1.0 turns about -z, anything else
// about +z). Start and end within 1e-4 of each other make a full circle in the plane parallel to
// world XY through the centre.
static ON_Arc ArcFromRecord(const double* record)
{
    const ON_3dPoint start = PointAt(record, 6);
    const ON_3dPoint end = PointAt(record, 9);
    const ON_3dPoint centre = PointAt(record, 12);
    const double radius = centre.DistanceTo(start);
    ON_Arc arc;
    if (start.DistanceTo(end) <= 1e-4)
    {
        arc.Create(ON_Circle(centre, radius), 2.0 * ON_PI);
        return arc;
    }

    // The plane runs from the start toward the end; when they lie on one line through the centre
    // (a half circle), a quarter turn about +z stands in for the end.
    const ON_3dVector toStart = start - centre;
    ON_Plane plane;
    if (!plane.CreateFromFrame(centre, toStart, end - centre))
    {
        ON_3dVector across = toStart;
        across.Rotate(0.5 * ON_PI, ON_zaxis);
        plane.CreateFromFrame(centre, toStart, across);
    }
    const ON_3dVector normal(0.0, 0.0, record[15] == -1.0 ? -1.0 : 1.0);
    double sweep = NVKVector::Angle(toStart, end - centre, normal, 0);
    // A negative sweep reverses the arc's plane, so that the arc turns about the normal; it is
    // needed whenever the plane faces away from the normal, which is so for sweeps above a half
    // turn and, depending on the direction, for a half circle.
    if (ON_DotProduct(plane.zaxis, normal) < 0.0)
        sweep = -sweep;
    arc.Create(plane, centre, radius, sweep);
    return arc;
}

int NVKSWON::GetSketchArcs(ISketch* pSketch, ON_ClassArray<ON_Arc>& arcs)
{
    LONG count = 0;
    pSketch->GetArcCount(&count);
    if (count <= 0)
        return 0;
    double* data = new (std::nothrow) double[16 * (size_t)count];
    if (data == NULL)
        return 0;
    const bool read = pSketch->GetArcs(data) == S_OK;
    if (read)
    {
        for (long long k = 0; k < count; k++)
            arcs.Append(ArcFromRecord(data + 16 * k));
    }
    delete[] data;
    return read ? 1 : 0;
}

// The polyline or spline data of a sketch: its size in doubles, its number of records and the
// values, read with the given pair of operations. The data is null when the sketch reports no
// data or no records, or when the read fails; otherwise the caller frees it.
namespace
{
struct SketchRecords
{
    LONG size = 0;
    LONG count = 0;
    double* data = NULL;
};
} // namespace

static SketchRecords ReadRecords(ISketch* pSketch, HRESULT (ISketch::*getSize)(LONG*, LONG*),
                                 HRESULT (ISketch::*getData)(double*))
{
    SketchRecords records;
    (pSketch->*getSize)(&records.size, &records.count);
    if (records.size <= 0 || records.count <= 0)
        return records;
    records.data = new (std::nothrow) double[(size_t)records.size];
    // A failed read leaves the buffer unwritten: nothing is made of it.
    if (records.data != NULL && (pSketch->*getData)(records.data) != S_OK)
    {
        delete[] records.data;
        records.data = NULL;
    }
    return records;
}

// The points of a record whose point count stands at `countIndex`: they follow it, three values
// each. False when the count or its points would not lie inside the `size` values of the data.
static bool FindPoints(const double* data, long long size, long long countIndex, long long& first,
                       long long& pointCount)
{
    if (countIndex < 0 || countIndex >= size || !ReadCount(data[countIndex], size, pointCount))
        return false;
    first = countIndex + 1;
    return first + 3 * pointCount <= size;
}

static void AppendPoints(const double* data, long long first, long long pointCount, ON_3dPointArray& points)
{
    for (long long i = 0; i < pointCount; i++)
        points.Append(PointAt(data, first + 3 * i));
}

int NVKSWON::GetSketchPolylines(ISketch* pSketch, ON_ClassArray<ON_Polyline>& polylines)
{
    polylines.Destroy();
    const SketchRecords records = ReadRecords(pSketch, &ISketch::GetPolylineDataSize, &ISketch::GetPolylines);
    if (records.data == NULL)
        return 0;
    const double* data = records.data;
    const long long size = records.size;

    // A record: one value of the host's, a count k, k + 6 more values, the point count and the
    // points. A record that would run past the data ends the walk.
    ON_Polyline polyline;
    long long b = 0;
    for (LONG r = 0; r < records.count; r++)
    {
        long long k = 0;
        long long first = 0;
        long long pointCount = 0;
        if (b + 1 >= size || !ReadCount(data[b + 1], size, k) ||
            !FindPoints(data, size, b + k + 8, first, pointCount))
            break;
        polyline.Empty();
        AppendPoints(data, first, pointCount, polyline);
        polylines.Append(polyline);
        b = first + 3 * pointCount;
    }
    delete[] records.data;
    return 1;
}

int NVKSWON::GetSketchSplines(ISketch* pSketch, ON_ClassArray<ON_NurbsCurve>& splines)
{
    splines.Destroy();
    const SketchRecords records = ReadRecords(pSketch, &ISketch::GetSplineDataSize, &ISketch::GetSplines);
    if (records.data == NULL)
        return 0;
    const double* data = records.data;
    const long long size = records.size;

    // A record: six values of the host's, the point count and the points, which become the
    // control points of a clamped uniform quadratic. A record that would run past the data ends
    // the walk.
    ON_NurbsCurve curve;
    long long b = 0;
    for (LONG r = 0; r < records.count; r++)
    {
        long long first = 0;
        long long pointCount = 0;
        if (!FindPoints(data, size, b + 6, first, pointCount))
            break;
        ON_3dPointArray points((int)pointCount);
        AppendPoints(data, first, pointCount, points);
        // Fewer points than the order make no curve, and such a record gives none.
        if (curve.CreateClampedUniformNurbs(3, 3, points.Count(), points.Array(), 1.0))
            splines.Append(curve);
        b = first + 3 * pointCount;
    }
    delete[] records.data;
    return 1;
}

int NVKSWON::GetSketchCurves(ISketch* pSketch, ON_CurveArray& curves)
{
    curves.Destroy();

    ON_ClassArray<ON_Line> lines;
    GetSketchLines(pSketch, lines);
    for (int i = 0; i < lines.Count(); i++)
        curves.Append(new ON_LineCurve(lines[i]));

    ON_ClassArray<ON_Polyline> polylines;
    GetSketchPolylines(pSketch, polylines);
    for (int i = 0; i < polylines.Count(); i++)
        curves.Append(new ON_PolylineCurve(polylines[i]));

    ON_ClassArray<ON_NurbsCurve> splines;
    GetSketchSplines(pSketch, splines);
    for (int i = 0; i < splines.Count(); i++)
        curves.Append(new ON_NurbsCurve(splines[i]));

    ON_ClassArray<ON_Arc> arcs;
    GetSketchArcs(pSketch, arcs);
    for (int i = 0; i < arcs.Count(); i++)
        curves.Append(new ON_ArcCurve(arcs[i]));
    return 1;
}
