// Sketches read back: counts and sizes first, then the records into the caller's buffer.
#include "Call.h"
#include "ReadbackFacets.h"

#include <algorithm>

namespace sim
{
namespace
{
HRESULT ReportCount(Call& call, LONG* count, size_t records)
{
    if (call.Failed())
        return call.Done();
    *count = LONG(records);
    call.OutValue(long(*count));
    return call.Done(S_OK);
}

HRESULT ReportSize(Call& call, LONG* size, LONG* count, const std::vector<double>& data, LONG records)
{
    if (call.Failed())
        return call.Done();
    *size = LONG(data.size());
    *count = records;
    call.OutValue(long(*size));
    call.OutValue(long(*count));
    return call.Done(S_OK);
}

// Writes the first `length` values: the caller's buffer holds exactly what was reported.
HRESULT Fill(Call& call, const std::vector<double>& data, size_t length, double* out)
{
    if (call.Failed())
        return call.Done();
    std::copy(data.begin(), data.begin() + long(length), out);
    call.OutDoubles(out, long(length));
    return call.Done(S_OK);
}

// Whole records only, so that a test's stray values are never written past the buffer.
size_t WholeRecords(const std::vector<double>& data, size_t recordSize)
{
    return data.size() / recordSize;
}
} // namespace

HRESULT SketchFacet::GetLineCount(LONG* count)
{
    SIM_CALL(call, "GetLineCount");
    return ReportCount(call, count, WholeRecords(m_sketch.lineRecords, 12));
}

HRESULT SketchFacet::GetLines(double* data)
{
    SIM_CALL(call, "GetLines");
    return Fill(call, m_sketch.lineRecords, 12 * WholeRecords(m_sketch.lineRecords, 12), data);
}

HRESULT SketchFacet::GetArcCount(LONG* count)
{
    SIM_CALL(call, "GetArcCount");
    return ReportCount(call, count, WholeRecords(m_sketch.arcRecords, 16));
}

HRESULT SketchFacet::GetArcs(double* data)
{
    SIM_CALL(call, "GetArcs");
    return Fill(call, m_sketch.arcRecords, 16 * WholeRecords(m_sketch.arcRecords, 16), data);
}

HRESULT SketchFacet::GetPolylineDataSize(LONG* size, LONG* count)
{
    SIM_CALL(call, "GetPolylineDataSize");
    return ReportSize(call, size, count, m_sketch.polylineData, m_sketch.polylineCount);
}

HRESULT SketchFacet::GetPolylines(double* data)
{
    SIM_CALL(call, "GetPolylines");
    return Fill(call, m_sketch.polylineData, m_sketch.polylineData.size(), data);
}

HRESULT SketchFacet::GetSplineDataSize(LONG* size, LONG* count)
{
    SIM_CALL(call, "GetSplineDataSize");
    return ReportSize(call, size, count, m_sketch.splineData, m_sketch.splineCount);
}

HRESULT SketchFacet::GetSplines(double* data)
{
    SIM_CALL(call, "GetSplines");
    return Fill(call, m_sketch.splineData, m_sketch.splineData.size(), data);
}
} // namespace sim
