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

HRESULT Fill(Call& call, const std::vector<double>& data, double* out)
{
    if (call.Failed())
        return call.Done();
    std::copy(data.begin(), data.end(), out);
    call.OutDoubles(out, long(data.size()));
    return call.Done(S_OK);
}
} // namespace

HRESULT SketchFacet::GetLineCount(LONG* count)
{
    SIM_CALL(call, "GetLineCount");
    return ReportCount(call, count, m_sketch.lineRecords.size() / 12);
}

HRESULT SketchFacet::GetLines(double* data)
{
    SIM_CALL(call, "GetLines");
    return Fill(call, m_sketch.lineRecords, data);
}

HRESULT SketchFacet::GetArcCount(LONG* count)
{
    SIM_CALL(call, "GetArcCount");
    return ReportCount(call, count, m_sketch.arcRecords.size() / 16);
}

HRESULT SketchFacet::GetArcs(double* data)
{
    SIM_CALL(call, "GetArcs");
    return Fill(call, m_sketch.arcRecords, data);
}

HRESULT SketchFacet::GetPolylineDataSize(LONG* size, LONG* count)
{
    SIM_CALL(call, "GetPolylineDataSize");
    return ReportSize(call, size, count, m_sketch.polylineData, m_sketch.polylineCount);
}

HRESULT SketchFacet::GetPolylines(double* data)
{
    SIM_CALL(call, "GetPolylines");
    return Fill(call, m_sketch.polylineData, data);
}

HRESULT SketchFacet::GetSplineDataSize(LONG* size, LONG* count)
{
    SIM_CALL(call, "GetSplineDataSize");
    return ReportSize(call, size, count, m_sketch.splineData, m_sketch.splineCount);
}

HRESULT SketchFacet::GetSplines(double* data)
{
    SIM_CALL(call, "GetSplines");
    return Fill(call, m_sketch.splineData, data);
}
} // namespace sim
